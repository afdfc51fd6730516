// The scripted host keeps the host's window rules, which the tests of every
// handler rely on: modal loads, bringing an open window to the front.
#include <gtest/gtest.h>

#include <array>

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

std::vector<int> reported;
void RecordPosition();

const std::array<ControlDefinition, 1> kBarOnly{{
    {.kind = ControlKind::VerticalScrollBar, .name = "纵向滚动条1", .left = 576, .top = 0,
     .width = 16, .height = 400,
     .scroll = {.minimum = 1, .maximum = 100, .lineStep = 1, .pageStep = 10, .position = 1},
     .onPositionChanged = RecordPosition},
}};
const WindowDefinition kScrolling{.caption = "Scrolling", .width = 610, .height = 448,
                                  .controls = kBarOnly};
const ControlName kBar{kScrolling, "纵向滚动条1"};

void RecordPosition() { reported.push_back(TheHost().ReadInteger(kBar, IntegerProperty::Position)); }

TEST(ScriptedHost, ScrollBarMovesWithinItsRangeAndReportsEachNewPosition) {
  ScriptedHost host;
  reported.clear();
  host.Then([&] {
    TheHost().LoadWindow(kScrolling, false);
    TheHost().WriteInteger(kBar, IntegerProperty::Minimum, 0);
    TheHost().WriteInteger(kBar, IntegerProperty::Maximum, 728);
    EXPECT_EQ(TheHost().ReadInteger(kBar, IntegerProperty::Position), 1);  // unchanged
    host.ScrollLines(kBar, 1);
    host.ScrollLines(kBar, -3);  // clamped at the minimum
    host.ScrollLines(kBar, -1);  // already there: no event
    host.ScrollPages(kBar, 1);
    host.DragThumb(kBar, {10, 300, 728, 900});  // 10 is no change, 900 stops at 728
    host.ScrollLines(kBar, 1);
    TheHost().WriteInteger(kBar, IntegerProperty::Maximum, 100);  // brought inside quietly
    EXPECT_EQ(TheHost().ReadInteger(kBar, IntegerProperty::Position), 100);
    host.Escape(kScrolling);
    host.Escape(MainWindow);
  });
  EXPECT_EQ(host.Run(), 0);
  EXPECT_EQ(reported, (std::vector<int>{2, 0, 10, 300, 728}));
}

}  // namespace
