// Windows as data. A host builds the real window from a definition; the
// application reaches its controls only by the names given here.
// Texts are GBK bytes, places and sizes pixels. A setting left at its
// default here is the toolkit's ordinary default.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

using Handler = void (*)();

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Font {
  int characterHeight = 0;  // pixels; 0: the host's default interface font
  int weight = 400;
  friend bool operator==(const Font&, const Font&) = default;
};

enum class ControlKind {
  PushButton,
  TransparentLabel,
  EditBox,
  DropDownList,  // combo box: the user picks an item, never types
  BrowserPane,
  VerticalScrollBar,
};

struct ScrollRange {
  int minimum = 0;
  int maximum = 100;
  int lineStep = 1;   // an arrow
  int pageStep = 10;  // the track above or below the thumb
  int position = 0;
};

struct ControlDefinition {
  ControlKind kind;
  std::string_view name;
  int left = 0;  // relative to the parent's client area
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  std::string_view text;  // caption, label text or initial edit text
  std::optional<Rgb> textColour;
  std::optional<Rgb> backgroundColour;
  Font font;
  bool readOnly = false;
  std::span<const std::string_view> items;  // drop-down list items, in order
  int dropDownHeight = 0;  // how far the opened list reaches below the box's top
  ScrollRange scroll;  // scroll bars; dragging the thumb reports every position
  Handler onClicked = nullptr;
  Handler onPositionChanged = nullptr;  // scroll bars: once for each new position
};

struct WindowDefinition {
  std::string_view caption;
  int width = 0;  // outer size, frame and caption included
  int height = 0;
  bool resizable = false;
  bool escapeCloses = true;
  bool taskbarButton = true;
  Handler onCreated = nullptr;
  std::span<const ControlDefinition> controls;  // stacking order, topmost first
};

// A control as the application names it: the window it lives in and its name.
struct ControlName {
  const WindowDefinition& window;
  std::string_view name;
};
