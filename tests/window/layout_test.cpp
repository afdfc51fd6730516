// The desktop host's windows on a real screen: every visible control is
// allocated exactly the rectangle its definition gives, and fits in it:
// GTK's theme wants none of them larger.
#include <gtk/gtk.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/stopwatch.h>

#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "host/desktop/window_builder.h"

namespace {

std::string screenshotPath;  // where the test keeps a picture of what it checked

GtkAllocation AllocationOf(wxWindow* control) {
  GtkAllocation allocation{};
  gtk_widget_get_allocation(control->GetHandle(), &allocation);
  return allocation;
}

// Runs the toolkit until every visible control has been laid out.
bool LaidOut(const WindowDefinition& definition, const BuiltWindow& built) {
  wxStopWatch clock;
  while (clock.Time() < 10000) {
    wxTheApp->Yield(true);
    bool all = true;
    for (const ControlDefinition& control : definition.controls) {
      if (!control.visible) continue;
      all = all && AllocationOf(built.controls.at(std::string(control.name))).width > 1;
    }
    if (all) return true;
    wxMilliSleep(20);
  }
  return false;
}

void ExpectEveryControlInItsRectangle(const WindowDefinition& definition) {
  BuiltWindow built = BuildWindow(definition, false);
  ASSERT_NE(built.frame, nullptr);
  CentreOnScreen(built.frame, wxSize(definition.width, definition.height));
  built.frame->Show();
  ASSERT_TRUE(LaidOut(definition, built));
  for (const ControlDefinition& control : definition.controls) {
    wxWindow* widget = built.controls.at(std::string(control.name));
    EXPECT_EQ(widget->IsShown(), control.visible);
    if (!control.visible) continue;
    const GtkAllocation got = AllocationOf(widget);
    EXPECT_EQ(got.x, control.left) << control.name;
    EXPECT_EQ(got.y, control.top) << control.name;
    EXPECT_EQ(got.width, control.width) << control.name;
    EXPECT_EQ(got.height, control.height) << control.name;
    // GTK allocates what it is told, but a control whose minimum size is
    // larger than its rectangle draws cut off or overlapping its neighbours.
    // A label's text is the definition's own and may run past its width, as
    // it is cut on the original platform; its height must still fit.
    GtkRequisition minimum{};
    gtk_widget_get_preferred_size(widget->GetHandle(), &minimum, nullptr);
    if (control.kind != ControlKind::TransparentLabel) {
      EXPECT_LE(minimum.width, control.width) << control.name;
    }
    EXPECT_LE(minimum.height, control.height) << control.name;
  }
  if (!screenshotPath.empty()) {
    for (wxStopWatch clock; clock.Time() < 1500;) {  // painted, not just laid out
      wxTheApp->Yield(true);
      wxMilliSleep(20);
    }
    const std::string command = "import -window root '" + screenshotPath + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
  built.frame->Destroy();
  wxTheApp->Yield(true);
}

TEST(DesktopLayout, MainWindowControlsFitTheirRectangles) {
  ExpectEveryControlInItsRectangle(MainWindow);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) screenshotPath = argv[1];
  int toolkitArgc = 1;
  wxApp::SetInstance(new wxApp());
  if (!wxEntryStart(toolkitArgc, argv)) return 2;
  wxTheApp->CallOnInit();
  InstallBaseStyle();
  const int result = RUN_ALL_TESTS();
  wxEntryCleanup();
  return result;
}
