#include "app/main_window.h"

#include <array>
#include <string_view>

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

constexpr std::array<std::string_view, 5> kChannelItems{"通道1", "通道2", "通道3", "通道4", "通道5"};

// Topmost first. 按钮3 stays hidden: nothing shows it.
const std::array<ControlDefinition, 11> kControls{{
    {.kind = ControlKind::PushButton, .name = "按钮3", .left = 576, .top = 536, .width = 56,
     .height = 48, .visible = false, .text = "按钮"},
    {.kind = ControlKind::PushButton, .name = "按钮2", .left = 697, .top = 641, .width = 88,
     .height = 31, .text = "软件说明"},
    {.kind = ControlKind::TransparentLabel, .name = "透明标签5", .left = 57, .top = 642,
     .width = 480, .height = 32, .text = "", .textColour = kRed},
    {.kind = ControlKind::TransparentLabel, .name = "透明标签4", .left = 650, .top = 646,
     .width = 40, .height = 24, .text = "V3.4.2", .textColour = kBlack},
    {.kind = ControlKind::TransparentLabel, .name = "透明标签3", .left = 544, .top = 646,
     .width = 88, .height = 24, .text = "反馈见官网", .textColour = kBlack},
    {.kind = ControlKind::TransparentLabel, .name = "透明标签2", .left = 579, .top = 608,
     .width = 56, .height = 32, .text = "播放通道：", .textColour = kBlack},
    {.kind = ControlKind::TransparentLabel, .name = "透明标签1", .left = 1, .top = 611,
     .width = 56, .height = 32, .text = "播放地址：", .textColour = kBlack},
    {.kind = ControlKind::DropDownList, .name = "组合框1", .left = 635, .top = 614, .width = 56,
     .height = 20, .textColour = kBlack, .backgroundColour = kWhite, .items = kChannelItems,
     .dropDownHeight = 160},
    {.kind = ControlKind::PushButton, .name = "按钮1", .left = 698, .top = 608, .width = 88,
     .height = 31, .text = "开始播放", .onClicked = PlayClicked},
    {.kind = ControlKind::EditBox, .name = "编辑框1", .left = 57, .top = 611, .width = 519,
     .height = 29, .text = "", .textColour = kBlack, .backgroundColour = kWhite},
    {.kind = ControlKind::BrowserPane, .name = "超文本浏览框1", .left = 0, .top = 6,
     .width = 816, .height = 600},
}};

}  // namespace

const WindowDefinition MainWindow{
    .caption = "Varnelo",
    .width = 800,
    .height = 703,
    .resizable = false,
    .escapeCloses = true,
    .taskbarButton = true,
    .onCreated = MainWindowCreated,
    .controls = kControls,
};
