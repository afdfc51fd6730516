// The desktop host on a real screen: created events while hidden, bringing
// an open window to the front, modal loads, the message box, control
// properties and GBK at the toolkit boundary. Keys are real key presses.
#include <gtk/gtk.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/init.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/desktop/desktop_host.h"

namespace {

DesktopHost* host = nullptr;
std::string screenshots;  // where the tests keep pictures of what they checked

void KeepScreenshot(const std::string& name) {
  if (screenshots.empty()) return;
  std::filesystem::create_directories(screenshots);
  const std::string command = "import -window root '" + screenshots + "/" + name + ".png'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

void PlainCreated();
int plainClicks = 0;
void PlainClicked() { ++plainClicks; }

const std::array<ControlDefinition, 2> kPlainControls{{
    {.kind = ControlKind::EditBox, .name = "编辑框1", .left = 10, .top = 10, .width = 200,
     .height = 28},
    {.kind = ControlKind::PushButton, .name = "按钮1", .left = 10, .top = 50, .width = 88,
     .height = 31, .text = "按钮", .onClicked = PlainClicked},
}};
const WindowDefinition kPlain{.caption = "Plain", .width = 300, .height = 200,
                              .onCreated = PlainCreated, .controls = kPlainControls};
const std::array<ControlDefinition, 1> kModalControls{{
    {.kind = ControlKind::PushButton, .name = "按钮1", .left = 10, .top = 10, .width = 88,
     .height = 31, .text = "确定"},
}};
const WindowDefinition kModal{.caption = "Modal", .width = 240, .height = 160,
                              .controls = kModalControls};
const ControlName kPlainBox{kPlain, "编辑框1"};

std::vector<int> reported;
void RecordPosition();
const std::array<ControlDefinition, 1> kBarOnly{{
    {.kind = ControlKind::VerticalScrollBar, .name = "纵向滚动条1", .left = 20, .top = 10,
     .width = 16, .height = 400,
     .scroll = {.minimum = 1, .maximum = 100, .lineStep = 1, .pageStep = 10, .position = 1},
     .onPositionChanged = RecordPosition},
}};
const WindowDefinition kScrolling{.caption = "Scrolling", .width = 200, .height = 460,
                                  .controls = kBarOnly};
const ControlName kBar{kScrolling, "纵向滚动条1"};
void RecordPosition() { reported.push_back(host->ReadInteger(kBar, IntegerProperty::Position)); }

wxTopLevelWindow* Shown(const wxString& title) {
  for (wxWindow* window : wxTopLevelWindows) {
    if (window->GetLabel() == title && window->IsShown() && !window->IsBeingDeleted()) {
      return static_cast<wxTopLevelWindow*>(window);
    }
  }
  return nullptr;
}

wxTopLevelWindow* Any(const wxString& title) {
  for (wxWindow* window : wxTopLevelWindows) {
    if (window->GetLabel() == title && !window->IsBeingDeleted()) {
      return static_cast<wxTopLevelWindow*>(window);
    }
  }
  return nullptr;
}

template <typename Control>
Control* FindIn(wxWindow* parent) {
  for (wxWindow* child : parent->GetChildren()) {
    if (auto* found = dynamic_cast<Control*>(child)) return found;
    if (auto* found = FindIn<Control>(child)) return found;
  }
  return nullptr;
}

int plainCreatedRuns = 0;
bool plainShownWhileCreated = true;
void PlainCreated() {
  ++plainCreatedRuns;
  plainShownWhileCreated = Any("Plain")->IsShown();
  host->WriteText(kPlainBox, TextProperty::Text, "已创建"_t);
}

// Once `ready` holds (the toolkit keeps running meanwhile), does `act`.
// Gives up after ten seconds, recording a failure, and runs `giveUp` so
// that a nested loop the test waits on still ends. A timer, not queued
// calls: those would be run back to back and starve the window system.
void When(std::function<bool()> ready, std::function<void()> act, std::function<void()> giveUp) {
  static std::vector<std::unique_ptr<wxTimer>> timers;  // stopped ones stay until the end
  auto& timer = timers.emplace_back(std::make_unique<wxTimer>());
  wxTimer* raw = timer.get();
  auto clock = std::make_shared<wxStopWatch>();
  raw->Bind(wxEVT_TIMER, [=](wxTimerEvent&) {
    if (ready()) {
      raw->Stop();
      act();
    } else if (clock->Time() > 10000) {
      raw->Stop();
      ADD_FAILURE() << "the window never became ready";
      giveUp();
    }
  });
  raw->Start(20);
}

// The toolkit's own idea of the active window lags behind inside nested
// loops; GTK knows where the keyboard goes.
bool HasFocus(wxTopLevelWindow* window) {
  return gtk_window_has_toplevel_focus(GTK_WINDOW(window->GetHandle()));
}

// Nothing the user did opened the window here, so the window manager need
// not focus it by itself: the test activates it as a user would.
void WhenActive(const wxString& title, std::function<void(wxTopLevelWindow*)> activate,
                std::function<void()> act, std::function<void()> giveUp) {
  auto ticks = std::make_shared<int>(0);
  // Activated again now and then: the manager may still be placing the window.
  When([=] {
         wxTopLevelWindow* window = Shown(title);
         if (window == nullptr) return false;
         if (HasFocus(window)) return true;
         if ((*ticks)++ % 25 == 0) activate(window);
         return false;
       },
       act, giveUp);
}

void Pump(long milliseconds);

void ClickAt(wxPoint screenPoint) {
  wxUIActionSimulator mouse;
  mouse.MouseMove(screenPoint);
  Pump(50);  // the toolkit learns where the pointer is before the press
  mouse.MouseClick();
}

// A click on the window's empty background, away from its controls.
// Where the window is on the screen is the window system's to say: the
// manager placed it. Points are relative to the client area.
void ClickInside(wxTopLevelWindow* window, wxPoint point) {
  GdkWindow* surface = gtk_widget_get_window(window->GetHandle());
  int x = 0;
  int y = 0;
  gdk_window_get_origin(surface, &x, &y);
  ClickAt(wxPoint(x, y) + point);
}

// A click on the window's empty background, away from its controls.
void ClickBackground(wxTopLevelWindow* window) {
  GdkWindow* surface = gtk_widget_get_window(window->GetHandle());
  ClickInside(window, wxPoint(gdk_window_get_width(surface) - 20, gdk_window_get_height(surface) - 20));
}

// The centre of Plain's button.
void ClickPlainButton() { ClickInside(Shown("Plain"), wxPoint(10 + 44, 50 + 15)); }

void Present(wxTopLevelWindow* window) { window->Raise(); }

void Pump(long milliseconds) {
  for (wxStopWatch clock; clock.Time() < milliseconds;) {
    wxTheApp->Yield(true);
    wxMilliSleep(10);
  }
}

void PressKey(int key) {
  wxUIActionSimulator keys;
  keys.Char(key);
}

TEST(DesktopHost, CreatedRunsHiddenThenTheWindowShowsAndReloadOnlyRaisesIt) {
  host->LoadWindow(kPlain, false);
  EXPECT_EQ(plainCreatedRuns, 1);
  EXPECT_FALSE(plainShownWhileCreated);
  ASSERT_NE(Shown("Plain"), nullptr);
  EXPECT_EQ(std::string(host->ReadText(kPlainBox, TextProperty::Text).View()), "已创建");
  host->LoadWindow(kPlain, false);
  EXPECT_EQ(plainCreatedRuns, 1);  // already open: brought to the front only
}

TEST(DesktopHost, ModalLoadDisablesTheOthersUntilEscClosesIt) {
  ASSERT_NE(Shown("Plain"), nullptr);
  bool plainEnabledMeanwhile = true;
  WhenActive("Modal", ClickBackground,
       [&] {
         plainEnabledMeanwhile = Shown("Plain")->IsEnabled();
         PressKey(WXK_ESCAPE);
       },
       [] { Any("Modal")->Close(true); });
  host->LoadWindow(kModal, true);  // returns once Esc has closed it
  EXPECT_FALSE(plainEnabledMeanwhile);
  Pump(200);
  EXPECT_EQ(Shown("Modal"), nullptr);
  EXPECT_TRUE(Shown("Plain")->IsEnabled());
}

TEST(DesktopHost, MessageBoxBlocksTheWindowsUntilDismissed) {
  // The same click reaches the button when no box shows...
  plainClicks = 0;
  ClickPlainButton();
  Pump(300);
  ASSERT_EQ(plainClicks, 1);
  // ...and is refused while the box shows.
  const wxString caption(L"信息：");
  WhenActive(caption, Present,
             [] {
               ClickPlainButton();
               Pump(300);
               KeepScreenshot("desktop_host_message_box");
               PressKey(WXK_RETURN);
             },
             [] { PressKey(WXK_ESCAPE); });
  host->ShowMessage("请输入播放地址"_t);  // returns once dismissed
  EXPECT_EQ(plainClicks, 1);
  Pump(200);
  EXPECT_EQ(Shown(caption), nullptr);
}

TEST(DesktopHost, TextsCrossTheToolkitBoundaryAsGbk) {
  wxTextCtrl* box = FindIn<wxTextCtrl>(Any("Plain"));
  ASSERT_NE(box, nullptr);
  host->WriteText(kPlainBox, TextProperty::Text, "芒果TV 视频"_t);
  EXPECT_EQ(box->GetValue(), wxString(L"芒果TV 视频"));  // Unicode on the toolkit's side
  EXPECT_EQ(std::string(host->ReadText(kPlainBox, TextProperty::Text).View()), "芒果TV 视频");
  box->ChangeValue(wxString(L"a😀b€"));  // GBK has no emoji: '?' as in an ANSI control
  EXPECT_EQ(std::string(host->ReadText(kPlainBox, TextProperty::Text).View()), "a?b\x80");
  host->WriteText(kPlainBox, TextProperty::Text, Text());
  EXPECT_FALSE(host->ReadText(kPlainBox, TextProperty::Text).HasStorage());  // empty reads absent
}

TEST(DesktopHost, HeightIsReadAndTopMovesTheControl) {
  const ControlName button{kPlain, "按钮1"};
  EXPECT_EQ(host->ReadInteger(button, IntegerProperty::Height), 31);
  host->WriteInteger(button, IntegerProperty::Top, 90);
  const wxButton* moved = FindIn<wxButton>(Any("Plain"));
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->GetPosition(), wxPoint(10, 90));
  EXPECT_EQ(moved->GetSize(), wxSize(88, 31));
  Any("Plain")->Close(true);
  Pump(200);
  EXPECT_EQ(Any("Plain"), nullptr);
  plainCreatedRuns = 0;
  host->LoadWindow(kPlain, false);  // closed: the next load builds it afresh
  EXPECT_EQ(plainCreatedRuns, 1);
  Any("Plain")->Close(true);
  Pump(200);
}

TEST(DesktopHost, ProgramDirectoryIsTheCurrentDirectory) {
  const std::string directory(host->ProgramDirectory().View());
  EXPECT_EQ(directory, std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
  EXPECT_EQ(std::filesystem::current_path().string(), directory);
}

TEST(DesktopHost, OpenInBrowserHandsTheAddressToXdgOpenAsOneArgument) {
  // A stand-in xdg-open on PATH records its arguments, one a line.
  const std::filesystem::path bin = std::filesystem::temp_directory_path() / "varnelo-xdg-open";
  std::filesystem::create_directories(bin);
  const std::filesystem::path record = bin / "arguments";
  std::filesystem::remove(record);
  {
    std::ofstream script(bin / "xdg-open");
    script << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" << record.string()
           << ".part\"\nmv \"" << record.string() << ".part\" \"" << record.string() << "\"\n";
  }
  std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
  host->OpenInBrowser("http://127.0.0.1:9/a b?c=1&d='$(x)';#frag 视频"_t);
  setenv("PATH", path.c_str(), 1);
  for (wxStopWatch clock; clock.Time() < 10000 && !std::filesystem::exists(record);) wxMilliSleep(20);
  std::ifstream recorded(record);
  const std::string arguments((std::istreambuf_iterator<char>(recorded)), {});
  EXPECT_EQ(arguments, wxString(L"http://127.0.0.1:9/a b?c=1&d='$(x)';#frag 视频\n").utf8_string());
}

// The scroll bar control as GTK sees it: its arrows and bar in a column.
GtkWidget* BarWidget() {
  for (wxWindow* child : Shown("Scrolling")->GetChildren().front()->GetChildren()) {
    return child->GetHandle();
  }
  return nullptr;
}

// The bar between the arrows, to find its thumb.
GtkWidget* TrackWidget() {
  GList* parts = gtk_container_get_children(GTK_CONTAINER(BarWidget()));
  GtkWidget* track = GTK_WIDGET(g_list_nth_data(parts, 1));
  g_list_free(parts);
  return track;
}

// Presses at a point of the bar (x across, y down from its top), waits for
// the toolkit, and returns the position then.
int ClickBar(int y) {
  GtkAllocation bar{};
  gtk_widget_get_allocation(BarWidget(), &bar);
  ClickInside(Shown("Scrolling"), wxPoint(bar.x + bar.width / 2, bar.y + y));
  Pump(300);
  return host->ReadInteger(kBar, IntegerProperty::Position);
}

TEST(DesktopHost, ScrollBarStepsByLineAndPageAndReportsEveryDraggedPosition) {
  reported.clear();
  host->LoadWindow(kScrolling, false);
  ASSERT_NE(Shown("Scrolling"), nullptr);
  Pump(500);
  ClickBackground(Shown("Scrolling"));  // focused first, as a user's window would be
  Pump(300);
  GtkAllocation placed{};
  gtk_widget_get_allocation(BarWidget(), &placed);
  EXPECT_EQ((std::array{placed.x, placed.y, placed.width, placed.height}),
            (std::array{20, 10, 16, 400}));
  GtkRequisition minimum{};
  gtk_widget_get_preferred_size(BarWidget(), &minimum, nullptr);
  EXPECT_LE(minimum.width, 16);  // arrows and bar fit the definition's width
  EXPECT_LE(minimum.height, 400);
  host->WriteInteger(kBar, IntegerProperty::Minimum, 0);
  host->WriteInteger(kBar, IntegerProperty::Maximum, 728);
  EXPECT_EQ(host->ReadInteger(kBar, IntegerProperty::Position), 1);
  EXPECT_TRUE(reported.empty());  // writing the range moves nothing

  EXPECT_EQ(ClickBar(400 - 6), 2);  // the lower arrow: one line
  EXPECT_EQ(ClickBar(6), 1);        // the upper arrow
  EXPECT_EQ(ClickBar(400 - 40), 11);  // the track below the thumb: one page
  EXPECT_EQ(reported, (std::vector<int>{2, 1, 11}));

  // Dragging the thumb to the bottom reports positions on the way, each once.
  reported.clear();
  GtkAllocation bar{};
  gtk_widget_get_allocation(TrackWidget(), &bar);
  int sliderStart = 0;
  int sliderEnd = 0;
  gtk_range_get_slider_range(GTK_RANGE(TrackWidget()), &sliderStart, &sliderEnd);
  GdkWindow* surface = gtk_widget_get_window(Shown("Scrolling")->GetHandle());
  int x = 0;
  int y = 0;
  gdk_window_get_origin(surface, &x, &y);
  const wxPoint thumb(x + bar.x + bar.width / 2, y + bar.y + (sliderStart + sliderEnd) / 2);
  wxUIActionSimulator mouse;
  mouse.MouseMove(thumb);
  mouse.MouseDown();
  Pump(100);
  for (int step = 1; step <= 10; ++step) {
    mouse.MouseMove(thumb + wxPoint(0, step * 40));
    Pump(50);
  }
  mouse.MouseUp();
  Pump(300);
  EXPECT_EQ(host->ReadInteger(kBar, IntegerProperty::Position), 728);
  ASSERT_GE(reported.size(), 2u);
  EXPECT_EQ(reported.back(), 728);
  for (std::size_t i = 1; i < reported.size(); ++i) EXPECT_LT(reported[i - 1], reported[i]);

  KeepScreenshot("desktop_host_scroll_bar_at_end");
  reported.clear();
  EXPECT_EQ(ClickBar(400 - 6), 728);  // at the end: nothing moves, nothing is reported
  EXPECT_TRUE(reported.empty());
  Shown("Scrolling")->Close(true);
  Pump(200);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) screenshots = argv[1];
  int toolkitArgc = 1;
  wxApp::SetInstance(new wxApp());
  if (!wxEntryStart(toolkitArgc, argv)) return 2;
  wxTheApp->CallOnInit();
  wxTheApp->SetExitOnFrameDelete(false);
  DesktopHost desktop;
  desktop.Initialise();
  host = &desktop;
  return RUN_ALL_TESTS();  // no orderly toolkit shutdown: the program never does one either
}
