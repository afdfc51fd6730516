// The Linux desktop host: wxWidgets 3.2 on GTK 3, wxWebView on WebKitGTK,
// libcurl for the HTTP read, xdg-open for the shell's "open".
//
// [X] windows and controls from definitions at their exact pixel places
// [X] created event while hidden, centred show, modal loads, bring-to-front
// [X] close box, Alt+F4 (the window manager's), Esc where the definition says
// [X] message box, fatal error box, exit routines, end of the process
// [X] GBK texts converted at the toolkit boundary only
// [ ] declared DLL commands, file services: not used yet
#pragma once

#include <map>

#include "core/host.h"
#include "host/desktop/window_builder.h"

class wxGUIEventLoop;

class DesktopHost final : public Host {
 public:
  void LoadStartupWindow(const WindowDefinition& window) override;
  void RunMessageLoop() override;
  [[noreturn]] void EndProcess(int exitCode) override;
  Text ProgramDirectory() override;
  void LoadWindow(const WindowDefinition& window, bool modal) override;
  Text ReadText(const ControlName& control, TextProperty property) override;
  void WriteText(const ControlName& control, TextProperty property, const Text& value) override;
  std::int32_t ReadInteger(const ControlName& control, IntegerProperty property) override;
  void WriteInteger(const ControlName& control, IntegerProperty property,
                    std::int32_t value) override;
  void ShowMessage(const Text& message) override;
  Bytes HttpRead(const Text& url) override;
  void OpenInBrowser(const Text& url) override;

 protected:
  void InitialiseServices() override;
  void ShowFatalError(const Text& failure) override;

 private:
  struct OpenWindow {
    BuiltWindow built;
    wxGUIEventLoop* modalLoop = nullptr;  // set while a modal load waits for it
  };

  // false when the toolkit could not create the window.
  bool Load(const WindowDefinition& window, bool modal);
  void Forget(const WindowDefinition& window);
  template <typename Control>
  Control& Find(const ControlName& control);

  std::map<const WindowDefinition*, OpenWindow> open_;
};
