// The scripted host keeps the host's window rules, which the tests of every
// handler rely on: modal loads, bringing an open window to the front.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "tests/scripted_host/scripted_host.h"

namespace {

const WindowDefinition kModal{.caption = "Modal", .width = 200, .height = 100};
bool returned = false;

TEST(ScriptedHost, ModalLoadDisablesTheOthersUntilEscClosesIt) {
  ScriptedHost host;
  host.Then([&] {
    returned = false;
    TheHost().LoadWindow(kModal, true);
    returned = true;
  });
  host.Then([&] {
    EXPECT_FALSE(host.Window(MainWindow)->enabled);
    EXPECT_TRUE(host.Window(kModal)->visible);
    EXPECT_TRUE(host.Window(kModal)->modal);
    host.Click({MainWindow, "按钮1"});  // refused: MainWindow takes no input
    EXPECT_EQ(host.IgnoredInputs(), 1);
    TheHost().LoadWindow(kModal, true);  // already open: only brought to the front
    host.Escape(kModal);
  });
  host.Then([&] {
    EXPECT_TRUE(returned);
    EXPECT_TRUE(host.Window(MainWindow)->enabled);
    EXPECT_EQ(host.Window(kModal), nullptr);
    host.Escape(MainWindow);
  });
  EXPECT_EQ(host.Run(), 0);
  const std::vector<std::string> journal(host.Journal().begin() + 4, host.Journal().end() - 3);
  EXPECT_EQ(journal, (std::vector<std::string>{"load Modal", "created Modal", "shown Modal",
                                               "front Modal", "escape Modal"}));
}

}  // namespace
