// The host interface: everything outside the process goes through here.
// One user-interface thread; every call is synchronous except the browser
// pane's loading. Handlers reach the host through TheHost().
#pragma once

#include <cstdint>

#include "core/exit_routines.h"
#include "core/text.h"
#include "core/window_definition.h"

enum class TextProperty {
  Text,     // edit box: what it shows (read: absent when empty)
  Address,  // browser pane, write only: starts loading and returns at once
};

enum class IntegerProperty {
  CurrentSelection,  // drop-down list, read: 0-based, -1 when none
  Minimum,           // scroll bar, write: the range changes, the position stays
  Maximum,           // scroll bar, write: likewise
  Position,          // scroll bar, read
  Height,            // any control, read: outer height
  Top,               // any control, write: moves it, left and size unchanged
};

class Host {
 public:
  virtual ~Host();

  // Process.
  // Makes this the host that handlers reach and the program directory the
  // current directory. Nothing of the application runs before it.
  void Initialise();
  void RegisterExitRoutine(Handler routine) { exitRoutines_.Register(routine); }
  virtual void LoadStartupWindow(const WindowDefinition& window) = 0;
  // Returns once no window of the application is left.
  virtual void RunMessageLoop() = 0;
  // Runs the exit routines and ends the process with that code.
  [[noreturn]] virtual void EndProcess(int exitCode) = 0;
  // Directory of the executable, without a trailing separator.
  virtual Text ProgramDirectory() = 0;

  // Windows. A window already open is only brought to the front; otherwise it
  // is built, its created event runs while it is hidden, then it is shown
  // centred. Modal: the other windows are disabled and the call returns once
  // this window has been closed.
  virtual void LoadWindow(const WindowDefinition& window, bool modal) = 0;
  virtual Text ReadText(const ControlName& control, TextProperty property) = 0;
  virtual void WriteText(const ControlName& control, TextProperty property, const Text& value) = 0;
  virtual std::int32_t ReadInteger(const ControlName& control, IntegerProperty property) = 0;
  virtual void WriteInteger(const ControlName& control, IntegerProperty property,
                            std::int32_t value) = 0;

  // Caption "信息：", OK only, no icon, no owner; the application's windows
  // take no input until it is dismissed.
  virtual void ShowMessage(const Text& message) = 0;
  // One GET of a whole document; absent when nothing arrived.
  virtual Bytes HttpRead(const Text& url) = 0;
  // The shell's "open" on the address; the outcome is not examined.
  virtual void OpenInBrowser(const Text& url) = 0;

  // A failure the program cannot go on from: an error box naming it, then
  // exit code -1 with the exit routines run.
  [[noreturn]] void Fatal(const Text& failure);

 protected:
  virtual void InitialiseServices() = 0;
  virtual void ShowFatalError(const Text& failure) = 0;
  void RunExitRoutines() { exitRoutines_.RunAll(); }

 private:
  ExitRoutines exitRoutines_;
  bool reportingFatal_ = false;
};

// The host the entry routine initialised.
Host& TheHost();

// Memory that cannot be obtained: the host's fatal error; aborts when no host
// has been initialised yet.
[[noreturn]] void OutOfMemory();
// The start-up window cannot be created: the host's fatal error.
[[noreturn]] void StartupWindowFailed();
