// Starting and ending the program: the start sequence, the prefixes, the
// ways MainWindow closes, the exit routines and the fatal start-up error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/build_settings.h"
#include "app/channel_prefixes.h"
#include "app/main_window.h"
#include "tests/allocation_log.h"
#include "tests/scripted_host/scripted_host.h"

namespace {

std::string S(const Text& text) { return std::string(text.View()); }

using CloseWay = void (ScriptedHost::*)(const WindowDefinition&);

TEST(Startup, RunsInOrderAndEachWayOfClosingEndsWithZero) {
  const struct {
    CloseWay close;
    const char* journalled;
  } ways[] = {{&ScriptedHost::CloseBox, "close box Varnelo"},
              {&ScriptedHost::AltF4, "alt+f4 Varnelo"},
              {&ScriptedHost::Escape, "escape Varnelo"}};
  for (const auto& way : ways) {
    ScriptedHost host;
    host.Then([&] {
      const ScriptedHost::WindowState* window = host.Window(MainWindow);
      ASSERT_NE(window, nullptr);
      EXPECT_TRUE(window->visible);
      EXPECT_EQ(window->left, (ScriptedHost::kScreenWidth - 800) / 2);
      EXPECT_EQ(window->top, (ScriptedHost::kScreenHeight - 703) / 2);
      EXPECT_FALSE(host.Control({MainWindow, "按钮3"}).visible);
      EXPECT_EQ(host.Control({MainWindow, "组合框1"}).selection, -1);
      (host.*way.close)(MainWindow);
    });
    EXPECT_EQ(host.Run(), 0);
    const std::vector<std::string> expected{
        "initialise", "load Varnelo",  "created Varnelo", "shown Varnelo",
        way.journalled, "exit routines", "end 0"};
    EXPECT_EQ(host.Journal(), expected);
    EXPECT_EQ(host.IgnoredInputs(), 0);
  }
}

TEST(Startup, CreatedHandlerAssignsTheFivePrefixes) {
  ScriptedHost host;
  host.Then([&] {
    EXPECT_EQ(S(ChannelPrefix1), "https://" VARNELO_CHANNEL1_HOST "/webcloud/?v=");
    EXPECT_EQ(S(ChannelPrefix2), "http://" VARNELO_CHANNEL2_HOST "/index.php?url=");
    EXPECT_EQ(S(ChannelPrefix3), "http://" VARNELO_CHANNEL3_HOST "/video.php?url=");
    EXPECT_EQ(S(ChannelPrefix4), "http://" VARNELO_CHANNEL4_HOST "/video.php?url=");
    EXPECT_EQ(S(ChannelPrefix5), "http://" VARNELO_CHANNEL5_HOST "/Common/?url=");
    host.Escape(MainWindow);
  });
  EXPECT_EQ(host.Run(), 0);
}

TEST(Startup, ExitReleasesThePrefixesOnceInOrder) {
  ScriptedHost host;
  std::vector<const void*> held;
  host.Then([&] {
    // Owned values make each release visible as a freed block.
    Text* prefixes[] = {&ChannelPrefix1, &ChannelPrefix2, &ChannelPrefix3, &ChannelPrefix4,
                        &ChannelPrefix5};
    for (Text* prefix : prefixes) {
      *prefix = Text("owned " + std::to_string(held.size() + 1));
      held.push_back(prefix->CString());
    }
    allocation_log::Start();
    host.CloseBox(MainWindow);
  });
  const int exitCode = host.Run();
  allocation_log::Stop();
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(allocation_log::Freed(), held);
}

TEST(Startup, WindowThatCannotBeCreatedIsFatal) {
  ScriptedHost host;
  host.FailWindowCreation();
  EXPECT_EQ(host.Run(), -1);
  EXPECT_EQ(host.FatalErrors(), std::vector<std::string>{"无法创建启动窗口。"});
  EXPECT_EQ(host.Window(MainWindow), nullptr);
  const std::vector<std::string> expected{"initialise", "fatal", "exit routines", "end -1"};
  EXPECT_EQ(host.Journal(), expected);
}

TEST(Startup, MemoryThatCannotBeObtainedIsFatal) {
  ScriptedHost host;
  host.Then([] { OutOfMemory(); });
  EXPECT_EQ(host.Run(), -1);
  EXPECT_EQ(host.FatalErrors(), std::vector<std::string>{"内存不足，无法继续运行。"});
  const std::vector<std::string> tail(host.Journal().end() - 3, host.Journal().end());
  EXPECT_EQ(tail, (std::vector<std::string>{"fatal", "exit routines", "end -1"}));
}

int runs = 0;
void CountRun() { ++runs; }
void EndInsideRoutine() { TheHost().EndProcess(3); }

TEST(ExitRoutines, EachRunsOnceInRegistrationOrder) {
  static std::string order;
  ExitRoutines routines;
  routines.Register([] { order += "a"; });
  routines.Register([] { order += "b"; });
  routines.Register(CountRun);
  routines.Register(CountRun);  // kept once
  runs = 0;
  routines.RunAll();
  routines.RunAll();
  EXPECT_EQ(order, "ab");
  EXPECT_EQ(runs, 1);
}

TEST(ExitRoutines, EndingTheProcessInsideOneRunsNoneTwice) {
  ScriptedHost host;
  runs = 0;
  host.RegisterExitRoutine(EndInsideRoutine);
  host.RegisterExitRoutine(CountRun);
  host.Then([&] { host.Escape(MainWindow); });
  // The first end (0) is interrupted by the routine's own end (3); the
  // routine after it still runs once.
  EXPECT_EQ(host.Run(), 3);
  EXPECT_EQ(runs, 1);
}

}  // namespace
