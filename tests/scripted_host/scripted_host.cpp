#include "tests/scripted_host/scripted_host.h"

#include <algorithm>
#include <stdexcept>

#include "app/entry.h"

namespace {

[[noreturn]] void Misuse(const std::string& what) { throw std::logic_error(what); }

std::string Name(const WindowDefinition& window) { return std::string(window.caption); }

}  // namespace

int ScriptedHost::Run() {
  try {
    ScriptedHost::EndProcess(ApplicationEntry(*this));
  } catch (const ProcessEnded& ended) {
    return ended.exitCode;
  }
}

void ScriptedHost::EndProcess(int exitCode) {
  journal_.push_back("exit routines");
  RunExitRoutines();
  journal_.push_back("end " + std::to_string(exitCode));
  throw ProcessEnded{exitCode};
}

Text ScriptedHost::ProgramDirectory() { return Text("/scripted/program"); }

void ScriptedHost::RunLoopUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (steps_.empty()) Misuse("the script ran out while the program waited for input");
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step();
  }
}

void ScriptedHost::RunMessageLoop() {
  RunLoopUntil([this] { return windows_.empty(); });
}

void ScriptedHost::LoadStartupWindow(const WindowDefinition& window) {
  if (failWindowCreation_) StartupWindowFailed();
  LoadWindow(window, false);
}

ScriptedHost::WindowState* ScriptedHost::OpenWindow(const WindowDefinition& window) {
  for (auto& open : windows_) {
    if (open->definition == &window) return open.get();
  }
  return nullptr;
}

const ScriptedHost::WindowState* ScriptedHost::Window(const WindowDefinition& window) const {
  return const_cast<ScriptedHost*>(this)->OpenWindow(window);
}

void ScriptedHost::LoadWindow(const WindowDefinition& window, bool modal) {
  if (OpenWindow(window) != nullptr) {
    journal_.push_back("front " + Name(window));
    return;
  }
  auto state = std::make_unique<WindowState>();
  state->definition = &window;
  state->modal = modal;
  state->left = (kScreenWidth - window.width) / 2;
  state->top = (kScreenHeight - window.height) / 2;
  for (const ControlDefinition& control : window.controls) {
    state->controls.emplace(std::string(control.name),
                            ControlState{.definition = &control,
                                         .text = std::string(control.text),
                                         .minimum = control.scroll.minimum,
                                         .maximum = control.scroll.maximum,
                                         .position = control.scroll.position,
                                         .top = control.top,
                                         .visible = control.visible});
  }
  windows_.push_back(std::move(state));
  journal_.push_back("load " + Name(window));
  if (window.onCreated) window.onCreated();
  journal_.push_back("created " + Name(window));
  WindowState* shown = OpenWindow(window);
  if (shown == nullptr) return;  // the created handler closed it
  std::optional<Disabled> others;
  if (modal) others.emplace(*this, shown);
  shown->visible = true;
  journal_.push_back("shown " + Name(window));
  if (modal) RunLoopUntil([&] { return OpenWindow(window) == nullptr; });
}

ScriptedHost::Disabled::Disabled(ScriptedHost& host, const WindowState* except) : host_(host) {
  for (auto& window : host_.windows_) {
    if (window.get() != except && window->enabled) {
      window->enabled = false;
      windows_.push_back(window.get());
    }
  }
}

ScriptedHost::Disabled::~Disabled() {
  // Only those still open: a closed window's state is gone.
  for (auto& window : host_.windows_) {
    if (std::find(windows_.begin(), windows_.end(), window.get()) != windows_.end()) {
      window->enabled = true;
    }
  }
}

void ScriptedHost::Destroy(const WindowDefinition& window, const char* how) {
  auto open = std::find_if(windows_.begin(), windows_.end(),
                           [&](const auto& state) { return state->definition == &window; });
  if (open == windows_.end()) return;
  journal_.push_back(std::string(how) + " " + Name(window));
  windows_.erase(open);
}

bool ScriptedHost::Reachable(const WindowDefinition& window) const {
  const WindowState* state = Window(window);
  return state != nullptr && state->visible && state->enabled;
}

ScriptedHost::ControlState& ScriptedHost::ControlOf(const ControlName& control) {
  WindowState* window = OpenWindow(control.window);
  if (window == nullptr) Misuse("window not open: " + Name(control.window));
  auto found = window->controls.find(control.name);
  if (found == window->controls.end()) Misuse("no control " + std::string(control.name));
  return found->second;
}

const ScriptedHost::ControlState& ScriptedHost::Control(const ControlName& control) const {
  return const_cast<ScriptedHost*>(this)->ControlOf(control);
}

void ScriptedHost::Type(const ControlName& control, std::string_view text) {
  ControlState& state = ControlOf(control);
  if (state.definition->kind != ControlKind::EditBox) Misuse("typing into a non-edit control");
  if (!Reachable(control.window) || !state.visible || state.definition->readOnly) {
    ++ignoredInputs_;
    return;
  }
  state.text = std::string(text);
}

void ScriptedHost::Pick(const ControlName& control, int index) {
  ControlState& state = ControlOf(control);
  if (state.definition->kind != ControlKind::DropDownList) Misuse("picking in a non-list control");
  if (index < 0 || index >= static_cast<int>(state.definition->items.size())) {
    Misuse("no such item");
  }
  if (!Reachable(control.window) || !state.visible) {
    ++ignoredInputs_;
    return;
  }
  state.selection = index;
}

void ScriptedHost::Click(const ControlName& control) {
  ControlState& state = ControlOf(control);
  if (!Reachable(control.window) || !state.visible) {
    ++ignoredInputs_;
    return;
  }
  if (state.definition->onClicked) state.definition->onClicked();
}

ScriptedHost::ControlState* ScriptedHost::ReachableScrollBar(const ControlName& control) {
  ControlState& state = ControlOf(control);
  if (state.definition->kind != ControlKind::VerticalScrollBar) Misuse("scrolling a non-scroll bar");
  if (!Reachable(control.window) || !state.visible) {
    ++ignoredInputs_;
    return nullptr;
  }
  return &state;
}

int ScriptedHost::WithinRange(const ControlState& bar, int position) {
  return std::clamp(position, std::min(bar.minimum, bar.maximum), std::max(bar.minimum, bar.maximum));
}

void ScriptedHost::MoveThumb(ControlState& bar, int target) {
  target = WithinRange(bar, target);
  if (target == bar.position) return;
  bar.position = target;
  if (bar.definition->onPositionChanged) bar.definition->onPositionChanged();
}

void ScriptedHost::ScrollLines(const ControlName& control, int lines) {
  if (ControlState* bar = ReachableScrollBar(control)) {
    MoveThumb(*bar, bar->position + lines * bar->definition->scroll.lineStep);
  }
}

void ScriptedHost::ScrollPages(const ControlName& control, int pages) {
  if (ControlState* bar = ReachableScrollBar(control)) {
    MoveThumb(*bar, bar->position + pages * bar->definition->scroll.pageStep);
  }
}

void ScriptedHost::DragThumb(const ControlName& control, const std::vector<int>& positions) {
  if (ControlState* bar = ReachableScrollBar(control)) {
    for (int position : positions) MoveThumb(*bar, position);
  }
}

void ScriptedHost::CloseBox(const WindowDefinition& window) {
  if (!Reachable(window)) {
    ++ignoredInputs_;
    return;
  }
  Destroy(window, "close box");
}

void ScriptedHost::AltF4(const WindowDefinition& window) {
  if (!Reachable(window)) {
    ++ignoredInputs_;
    return;
  }
  Destroy(window, "alt+f4");
}

void ScriptedHost::Escape(const WindowDefinition& window) {
  if (!Reachable(window) || !window.escapeCloses) {
    ++ignoredInputs_;
    return;
  }
  Destroy(window, "escape");
}

void ScriptedHost::DismissMessage() {
  if (!messageShowing_) Misuse("no message box to dismiss");
  messageShowing_ = false;
}

Text ScriptedHost::ReadText(const ControlName& control, TextProperty property) {
  ControlState& state = ControlOf(control);
  if (property != TextProperty::Text || state.definition->kind != ControlKind::EditBox) {
    Misuse("text read from " + std::string(control.name));
  }
  return Text(state.text);
}

void ScriptedHost::WriteText(const ControlName& control, TextProperty property,
                             const Text& value) {
  ControlState& state = ControlOf(control);
  switch (property) {
    case TextProperty::Text:
      if (state.definition->kind != ControlKind::EditBox) Misuse("text written to a non-edit");
      state.text = std::string(value.View());
      return;
    case TextProperty::Address:
      if (state.definition->kind != ControlKind::BrowserPane) Misuse("address of a non-browser");
      state.addresses.emplace_back(value.View());
      return;
  }
}

std::int32_t ScriptedHost::ReadInteger(const ControlName& control, IntegerProperty property) {
  ControlState& state = ControlOf(control);
  switch (property) {
    case IntegerProperty::CurrentSelection:
      if (state.definition->kind != ControlKind::DropDownList) Misuse("selection of a non-list");
      return state.selection;
    case IntegerProperty::Position:
      if (state.definition->kind != ControlKind::VerticalScrollBar) Misuse("position of a non-bar");
      return state.position;
    case IntegerProperty::Height:
      return state.definition->height;
    case IntegerProperty::Minimum:
    case IntegerProperty::Maximum:
    case IntegerProperty::Top:
      break;
  }
  Misuse("integer read from a written property");
}

void ScriptedHost::WriteInteger(const ControlName& control, IntegerProperty property,
                                std::int32_t value) {
  ControlState& state = ControlOf(control);
  const bool scrollBar = state.definition->kind == ControlKind::VerticalScrollBar;
  switch (property) {
    case IntegerProperty::Minimum:
    case IntegerProperty::Maximum:
      if (!scrollBar) Misuse("range of a non-bar");
      (property == IntegerProperty::Minimum ? state.minimum : state.maximum) = value;
      // The position stays unless it falls outside the new range; then it is
      // brought inside without an event, as the desktop host does.
      state.position = WithinRange(state, state.position);
      return;
    case IntegerProperty::Top:
      state.top = value;
      return;
    case IntegerProperty::CurrentSelection:
    case IntegerProperty::Position:
    case IntegerProperty::Height:
      break;
  }
  Misuse("integer written to a read-only property");
}

void ScriptedHost::ShowMessage(const Text& message) {
  messages_.emplace_back(message.View());
  journal_.push_back("message");
  // Task-modal: every window of the application takes no input meanwhile.
  const Disabled all(*this, nullptr);
  messageShowing_ = true;
  RunLoopUntil([this] { return !messageShowing_; });
}

void ScriptedHost::ShowFatalError(const Text& failure) {
  fatalErrors_.emplace_back(failure.View());
  journal_.push_back("fatal");
}

Bytes ScriptedHost::HttpRead(const Text& url) {
  httpRequests_.emplace_back(url.View());
  if (!server_) return Bytes();
  std::optional<std::string> body = server_(httpRequests_.back());
  return body ? Bytes(*body) : Bytes();
}

void ScriptedHost::OpenInBrowser(const Text& url) { opened_.emplace_back(url.View()); }
