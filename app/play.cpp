#include "app/channel_prefixes.h"
#include "app/main_window.h"
#include "core/host.h"
#include "core/text_routines.h"

namespace {

const ControlName kAddressBox{MainWindow, "编辑框1"};
const ControlName kChannelList{MainWindow, "组合框1"};
const ControlName kBrowserPane{MainWindow, "超文本浏览框1"};

std::int32_t CurrentChannel() {
  return TheHost().ReadInteger(kChannelList, IntegerProperty::CurrentSelection);
}

void PlayThrough(const Text& prefix) {
  const Text typed = TheHost().ReadText(kAddressBox, TextProperty::Text);
  const Text address = JoinTexts(prefix, typed);  // exactly as typed: no trimming, no escaping
  TheHost().WriteText(kBrowserPane, TextProperty::Address, address);
}

}  // namespace

void PlayClicked() {
  if (CompareTexts(TheHost().ReadText(kAddressBox, TextProperty::Text), ""_t) == 0) {
    TheHost().ShowMessage("请输入播放地址"_t);
    return;
  }
  if (CurrentChannel() == -1) {
    TheHost().ShowMessage("请选择播放通道！"_t);
    return;
  }
  // Five separate tests, each reading the selection afresh.
  if (CurrentChannel() == 0) PlayThrough(ChannelPrefix1);
  if (CurrentChannel() == 1) PlayThrough(ChannelPrefix2);
  if (CurrentChannel() == 2) PlayThrough(ChannelPrefix3);
  if (CurrentChannel() == 3) PlayThrough(ChannelPrefix4);
  if (CurrentChannel() == 4) PlayThrough(ChannelPrefix5);
}
