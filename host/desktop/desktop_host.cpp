#include "host/desktop/desktop_host.h"

#include <glib.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/webview.h>
#include <wx/utils.h>

#include <cstdio>
#include <filesystem>
#include <new>
#include <string>

#include "host/desktop/gbk.h"
#include "host/desktop/http_read.h"
#include "host/desktop/scroll_bar.h"

namespace {

// A definition and a handler that disagree on a control's name or kind
// cannot be mended at run time: report it as the fatal error it is.
[[noreturn]] void NoSuchControl(const ControlName& control) {
  TheHost().Fatal(Text(ToGbk(wxString::FromUTF8("控件不存在：")) + std::string(control.name)));
}

std::string ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return ".";
  return executable.parent_path().string();
}

}  // namespace

void DesktopHost::InitialiseServices() {
  std::set_new_handler([] { OutOfMemory(); });
  // Should this fail, paths built from the program directory still work.
  [[maybe_unused]] const int changed = chdir(ExecutableDirectory().c_str());
  InstallBaseStyle();
}

Text DesktopHost::ProgramDirectory() {
  return Text(ToGbk(wxString::FromUTF8(ExecutableDirectory())));
}

void DesktopHost::LoadStartupWindow(const WindowDefinition& window) {
  if (!Load(window, false)) StartupWindowFailed();
}

void DesktopHost::LoadWindow(const WindowDefinition& window, bool modal) { Load(window, modal); }

bool DesktopHost::Load(const WindowDefinition& window, bool modal) {
  if (auto open = open_.find(&window); open != open_.end()) {
    open->second.built.frame->Raise();
    return true;
  }
  BuiltWindow built = BuildWindow(window, modal);
  if (built.frame == nullptr) return false;
  wxFrame* frame = built.frame;
  open_.emplace(&window, OpenWindow{std::move(built)});

  frame->Bind(wxEVT_CLOSE_WINDOW, [this, &window, frame](wxCloseEvent&) {
    Forget(window);
    frame->Destroy();
  });
  if (window.escapeCloses) {
    frame->Bind(wxEVT_CHAR_HOOK, [frame](wxKeyEvent& event) {
      if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) {
        frame->Close(true);
        return;
      }
      event.Skip();
    });
  }

  if (window.onCreated) window.onCreated();
  if (!open_.contains(&window)) return true;  // the created handler closed it

  CentreOnScreen(frame, wxSize(window.width, window.height));
  frame->Show();
  if (!modal) return true;

  // Modal: every other window of the application takes no input until this
  // one has been closed.
  wxWindowDisabler others(frame);
  wxGUIEventLoop loop;
  open_.at(&window).modalLoop = &loop;
  loop.Run();
  return true;
}

void DesktopHost::Forget(const WindowDefinition& window) {
  auto open = open_.find(&window);
  if (open == open_.end()) return;
  wxGUIEventLoop* loop = open->second.modalLoop;
  open_.erase(open);
  if (loop != nullptr) loop->Exit();
}

void DesktopHost::RunMessageLoop() {
  if (open_.empty()) return;
  wxTheApp->SetExitOnFrameDelete(true);
  wxTheApp->OnRun();
}

void DesktopHost::EndProcess(int exitCode) {
  RunExitRoutines();
  std::fflush(nullptr);
  // The toolkit and the browser engine are not torn down: the process ends
  // here, with the code asked for, whatever state they are in.
  _exit(exitCode);
}

template <typename Control>
Control& DesktopHost::Find(const ControlName& control) {
  auto open = open_.find(&control.window);
  if (open == open_.end()) NoSuchControl(control);
  auto found = open->second.built.controls.find(control.name);
  if (found == open->second.built.controls.end()) NoSuchControl(control);
  auto* typed = dynamic_cast<Control*>(found->second);
  if (typed == nullptr) NoSuchControl(control);
  return *typed;
}

Text DesktopHost::ReadText(const ControlName& control, TextProperty property) {
  if (property != TextProperty::Text) NoSuchControl(control);
  return Text(ToGbk(Find<wxTextCtrl>(control).GetValue()));
}

void DesktopHost::WriteText(const ControlName& control, TextProperty property, const Text& value) {
  switch (property) {
    case TextProperty::Text:
      Find<wxTextCtrl>(control).ChangeValue(FromGbk(value));
      return;
    case TextProperty::Address:
      Find<wxWebView>(control).LoadURL(FromGbk(value));  // returns at once; loads on its own
      return;
  }
}

std::int32_t DesktopHost::ReadInteger(const ControlName& control, IntegerProperty property) {
  switch (property) {
    case IntegerProperty::CurrentSelection:
      return Find<wxChoice>(control).GetSelection();  // wxNOT_FOUND is -1
    case IntegerProperty::Position:
      return Find<ScrollBar>(control).Position();
    case IntegerProperty::Height:
      return Find<wxWindow>(control).GetSize().GetHeight();
    case IntegerProperty::Minimum:
    case IntegerProperty::Maximum:
    case IntegerProperty::Top:
      break;  // written, not read
  }
  NoSuchControl(control);
}

void DesktopHost::WriteInteger(const ControlName& control, IntegerProperty property,
                               std::int32_t value) {
  switch (property) {
    case IntegerProperty::Minimum:
      Find<ScrollBar>(control).SetMinimum(value);
      return;
    case IntegerProperty::Maximum:
      Find<ScrollBar>(control).SetMaximum(value);
      return;
    case IntegerProperty::Top: {
      wxWindow& moved = Find<wxWindow>(control);
      moved.Move(moved.GetPosition().x, value);
      return;
    }
    case IntegerProperty::CurrentSelection:
    case IntegerProperty::Position:
    case IntegerProperty::Height:
      break;  // read, not written
  }
  NoSuchControl(control);
}

void DesktopHost::ShowMessage(const Text& message) {
  // Built by hand: the native message dialog would take an owner and an icon.
  wxDialog box(nullptr, wxID_ANY, wxString::FromUTF8("信息："), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxDIALOG_NO_PARENT);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->SetMinSize(wxSize(240, -1));  // room for the caption in the title bar
  column->Add(new wxStaticText(&box, wxID_ANY, FromGbk(message)),
              wxSizerFlags().Center().Border(wxALL, 16));
  auto* ok = new wxButton(&box, wxID_OK, wxString::FromUTF8("确定"));
  ok->SetDefault();
  column->Add(ok, wxSizerFlags().Center().Border(wxLEFT | wxRIGHT | wxBOTTOM, 12));
  box.SetSizerAndFit(column);
  box.SetEscapeId(wxID_OK);
  CentreOnScreen(&box, box.GetSize());
  box.ShowModal();  // disables the application's windows while it shows
}

void DesktopHost::ShowFatalError(const Text& failure) {
  wxMessageDialog box(nullptr, FromGbk(failure), wxString::FromUTF8("Varnelo"),
                      wxOK | wxICON_ERROR | wxCENTRE);
  box.ShowModal();
}

Bytes DesktopHost::HttpRead(const Text& url) { return HttpReadDocument(url); }

void DesktopHost::OpenInBrowser(const Text& url) {
  // No shell: the address is one argument of xdg-open, found on PATH, and the
  // child is detached (GLib reaps it through an intermediate process).
  const std::string address = FromGbk(url).utf8_string();
  gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(address.c_str()), nullptr};
  g_spawn_async(nullptr, argv, nullptr,
                static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL |
                                         G_SPAWN_STDERR_TO_DEV_NULL),
                nullptr, nullptr, nullptr, nullptr);
}
