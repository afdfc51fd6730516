// GBK at the toolkit boundary: application texts are GBK bytes, the toolkit
// speaks Unicode. What GBK cannot hold becomes '?', as in an ANSI control.
#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

#include "core/text.h"

wxString FromGbk(std::string_view bytes);
inline wxString FromGbk(const Text& text) { return FromGbk(text.View()); }
std::string ToGbk(const wxString& text);
