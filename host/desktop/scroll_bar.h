// A vertical scroll bar with the host's rules: a range written as two ends
// (smaller first whatever the order), integer positions, line and page
// steps, and one position-changed event for every new position the user
// makes, also while the thumb is dragged.
#pragma once

#include <wx/nativewin.h>

#include "core/window_definition.h"

class ScrollBar final : public wxNativeWindow {
 public:
  ScrollBar(wxWindow* parent, const ControlDefinition& definition);
  ~ScrollBar() override;

  void SetMinimum(int minimum);
  void SetMaximum(int maximum);
  int Position() const;

 private:
  static void ValueChanged(void* adjustment, void* self);
  void ApplyRange();

  void* adjustment_;  // GtkAdjustment*, kept out of this header
  int minimum_;
  int maximum_;
  int reported_;  // the position the handler last heard of
  bool applyingRange_ = false;
  Handler onPositionChanged_;
};
