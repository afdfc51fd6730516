// The play handler: the two messages, the five channels and addresses
// appended exactly as typed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/build_settings.h"
#include "app/main_window.h"
#include "tests/scripted_host/scripted_host.h"

namespace {

const ControlName kAddressBox{MainWindow, "编辑框1"};
const ControlName kChannelList{MainWindow, "组合框1"};
const ControlName kPlay{MainWindow, "按钮1"};
const ControlName kPane{MainWindow, "超文本浏览框1"};

struct Outcome {
  std::vector<std::string> messages;
  std::vector<std::string> addresses;
};

// Types, picks (unless nullopt), presses 开始播放 and closes with Esc.
Outcome Play(const std::string& typed, std::optional<int> channel) {
  ScriptedHost host;
  Outcome outcome;
  host.Then([&] {
    host.Type(kAddressBox, typed);
    if (channel) host.Pick(kChannelList, *channel);
    host.Click(kPlay);
  });
  host.Then([&] {
    if (host.MessageShowing()) host.DismissMessage();
  });
  host.Then([&] {
    outcome.addresses = host.Control(kPane).addresses;
    host.Escape(MainWindow);
  });
  EXPECT_EQ(host.Run(), 0);
  outcome.messages = host.Messages();
  return outcome;
}

using Messages = std::vector<std::string>;
using Addresses = std::vector<std::string>;

TEST(Play, MissingAddressOrChannelGivesItsMessage) {
  const struct {
    std::string typed;
    std::optional<int> channel;
    Messages expected;
  } cases[] = {
      {"", std::nullopt, {"请输入播放地址"}},  // the selection is not looked at
      {"", 1, {"请输入播放地址"}},
      {"abc", std::nullopt, {"请选择播放通道！"}},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Play(c.typed, c.channel);
    EXPECT_EQ(outcome.messages, c.expected) << "'" << c.typed << "'";
    EXPECT_TRUE(outcome.addresses.empty());
  }
}

TEST(Play, EachChannelLoadsItsPrefixFollowedByTheAddress) {
  const std::string typed = "abc";
  const std::string expected[] = {
      "https://" VARNELO_CHANNEL1_HOST "/webcloud/?v=abc",
      "http://" VARNELO_CHANNEL2_HOST "/index.php?url=abc",
      "http://" VARNELO_CHANNEL3_HOST "/video.php?url=abc",
      "http://" VARNELO_CHANNEL4_HOST "/video.php?url=abc",
      "http://" VARNELO_CHANNEL5_HOST "/Common/?url=abc",
  };
  for (int channel = 0; channel < 5; ++channel) {
    const Outcome outcome = Play(typed, channel);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(outcome.addresses, Addresses{expected[channel]}) << "channel " << channel + 1;
  }
}

TEST(Play, AddressIsAppendedUnchanged) {
  const std::string prefix = "http://" VARNELO_CHANNEL2_HOST "/index.php?url=";
  const std::string typed[] = {
      "   ",  // blanks are not empty
      " https://www.mgtv.com/b/1/2.html?a=1&b=2#t=30 ",
      "芒果TV 视频",  // GBK bytes, as a control hands them over
      "%20&amp;\\\"'<>",
  };
  for (const std::string& address : typed) {
    EXPECT_EQ(Play(address, 1).addresses, Addresses{prefix + address});
  }
}

TEST(Play, PressingTwiceLoadsTwiceAndTheBoxBlocksTheWindow) {
  ScriptedHost host;
  host.Then([&] {
    host.Type(kAddressBox, "abc");
    host.Click(kPlay);  // no channel yet: the message box opens
  });
  host.Then([&] {
    EXPECT_TRUE(host.MessageShowing());
    EXPECT_FALSE(host.Window(MainWindow)->enabled);
    host.Click(kPlay);  // the window takes no input while the box shows
    EXPECT_EQ(host.IgnoredInputs(), 1);
    host.DismissMessage();
  });
  host.Then([&] {
    EXPECT_TRUE(host.Window(MainWindow)->enabled);
    host.Pick(kChannelList, 4);
    host.Click(kPlay);
    host.Click(kPlay);
    const std::string address = "http://" VARNELO_CHANNEL5_HOST "/Common/?url=abc";
    EXPECT_EQ(host.Control(kPane).addresses, (Addresses{address, address}));
    host.Click({MainWindow, "按钮3"});  // hidden: the user cannot reach it
    EXPECT_EQ(host.IgnoredInputs(), 2);
    host.Escape(MainWindow);
  });
  EXPECT_EQ(host.Run(), 0);
  EXPECT_EQ(host.Messages(), Messages{"请选择播放通道！"});
}

}  // namespace
