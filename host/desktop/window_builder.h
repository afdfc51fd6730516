// Builds a real, still hidden frame from a window definition: every control
// at its exact pixel place and size, in the definition's stacking order.
#pragma once

#include <wx/frame.h>
#include <wx/toplevel.h>

#include <functional>
#include <map>
#include <string>

#include "core/window_definition.h"

struct BuiltWindow {
  wxFrame* frame = nullptr;  // owned by the toolkit: destroyed by closing
  std::map<std::string, wxWindow*, std::less<>> controls;  // by definition name (GBK)
};

// Returns a window with frame == nullptr when the toolkit could not create it.
BuiltWindow BuildWindow(const WindowDefinition& definition, bool modal);

// Centres the window's outer frame on the screen when it is first mapped: a
// window manager places new windows where it likes, whatever position the
// toolkit asked for, but honours a move of a mapped window. Call before Show.
void CentreOnScreen(wxTopLevelWindow* window, wxSize outer);

// Makes entries, buttons and lists fit the small rectangles the definitions
// give, and scroll bars step as the definitions expect; installed once for
// the whole screen.
void InstallBaseStyle();
