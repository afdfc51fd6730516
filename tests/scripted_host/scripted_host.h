// A host without a display, for tests. It builds windows from their
// definitions as state, runs the test's steps whenever a message loop (the
// main one, a modal window's or a message box's) waits for input, serves HTTP
// bodies from the test, and turns the end of the process into a return from
// Run() with the exit code.
//
// [X] windows from definitions, created event while hidden, centred show
// [X] modal loads with the other windows disabled, bring-to-front when open
// [X] close box, Alt+F4 and Esc; message boxes that wait to be dismissed
// [X] edit text, selection, browser address, scroll range and position,
//     height and top by role; scroll bars moved by arrow, track and drag
// [X] HTTP read served by the test; open in browser recorded
// [ ] pixels, fonts, colours: only a real window shows them
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/host.h"

class ScriptedHost : public Host {
 public:
  static constexpr int kScreenWidth = 1280;
  static constexpr int kScreenHeight = 1024;

  struct ControlState {
    const ControlDefinition* definition;
    std::string text;
    int selection = -1;
    int minimum = 0;  // scroll bars
    int maximum = 0;
    int position = 0;
    int top = 0;
    bool visible = true;
    std::vector<std::string> addresses;  // every address written, in order
  };
  struct WindowState {
    const WindowDefinition* definition;
    bool visible = false;
    bool enabled = true;
    bool modal = false;
    int left = 0;
    int top = 0;
    std::map<std::string, ControlState, std::less<>> controls;
  };

  // The test's side: steps, and what a user does in them.
  void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }
  void Type(const ControlName& control, std::string_view text);
  void Pick(const ControlName& control, int index);
  void Click(const ControlName& control);
  // Scroll bars: arrows (lines > 0 down), the track beside the thumb
  // (pages > 0 below it), and a drag reporting each position in turn.
  void ScrollLines(const ControlName& control, int lines);
  void ScrollPages(const ControlName& control, int pages);
  void DragThumb(const ControlName& control, const std::vector<int>& positions);
  void CloseBox(const WindowDefinition& window);
  void AltF4(const WindowDefinition& window);
  void Escape(const WindowDefinition& window);
  void DismissMessage();
  void Serve(std::function<std::optional<std::string>(const std::string& url)> server) {
    server_ = std::move(server);
  }
  void FailWindowCreation() { failWindowCreation_ = true; }

  // Starts the program through its entry routine; returns the exit code,
  // however the process ended.
  int Run();

  // What the program did.
  const WindowState* Window(const WindowDefinition& window) const;
  const ControlState& Control(const ControlName& control) const;
  const std::vector<std::string>& Journal() const { return journal_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<std::string>& FatalErrors() const { return fatalErrors_; }
  const std::vector<std::string>& HttpRequests() const { return httpRequests_; }
  const std::vector<std::string>& OpenedInBrowser() const { return opened_; }
  bool MessageShowing() const { return messageShowing_; }
  int IgnoredInputs() const { return ignoredInputs_; }

  // Host.
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
  void InitialiseServices() override { journal_.push_back("initialise"); }
  void ShowFatalError(const Text& failure) override;

 private:
  struct ProcessEnded {
    int exitCode;
  };

  // Disables every enabled window but one for its lifetime, as a modal
  // window or a message box does.
  class Disabled {
   public:
    Disabled(ScriptedHost& host, const WindowState* except);
    ~Disabled();
    Disabled(const Disabled&) = delete;
    Disabled& operator=(const Disabled&) = delete;

   private:
    ScriptedHost& host_;
    std::vector<const WindowState*> windows_;
  };

  void RunLoopUntil(const std::function<bool()>& done);
  WindowState* OpenWindow(const WindowDefinition& window);
  ControlState& ControlOf(const ControlName& control);
  ControlState* ReachableScrollBar(const ControlName& control);
  // The range runs from the smaller end to the larger, whichever was written.
  static int WithinRange(const ControlState& bar, int position);
  // Clamped to the range; a new position fires the position-changed event.
  void MoveThumb(ControlState& bar, int target);
  // The user reaches only a visible, enabled window (a modal window or a
  // message box disables the others), and only its visible controls.
  bool Reachable(const WindowDefinition& window) const;
  void Destroy(const WindowDefinition& window, const char* how);

  std::deque<std::function<void()>> steps_;
  std::vector<std::unique_ptr<WindowState>> windows_;  // open windows, in load order
  std::function<std::optional<std::string>(const std::string&)> server_;
  std::vector<std::string> journal_;
  std::vector<std::string> messages_;
  std::vector<std::string> fatalErrors_;
  std::vector<std::string> httpRequests_;
  std::vector<std::string> opened_;
  bool messageShowing_ = false;
  bool failWindowCreation_ = false;
  int ignoredInputs_ = 0;
};
