#include "host/desktop/scroll_bar.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>

namespace {

GtkAdjustment* AsAdjustment(void* adjustment) { return static_cast<GtkAdjustment*>(adjustment); }

// GTK 3's own scroll-bar arrows are drawn but ignore clicks, so the arrows
// are buttons of their own above and below the bar.
GtkWidget* ArrowButton(const char* icon, GtkAdjustment* adjustment, int direction) {
  GtkWidget* button = gtk_button_new_from_icon_name(icon, GTK_ICON_SIZE_MENU);
  gtk_style_context_add_class(gtk_widget_get_style_context(button), "scroll-arrow");
  gtk_widget_set_can_focus(button, FALSE);
  g_object_set_data(G_OBJECT(button), "direction", GINT_TO_POINTER(direction));
  g_signal_connect(button, "clicked", G_CALLBACK(+[](GtkButton* pressed, gpointer data) {
                     auto* steps = static_cast<GtkAdjustment*>(data);
                     const int sign = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(pressed), "direction"));
                     gtk_adjustment_set_value(steps, gtk_adjustment_get_value(steps) +
                                                         sign * gtk_adjustment_get_step_increment(steps));
                   }),
                   adjustment);
  return button;
}

}  // namespace

// A page size of 0 lets the thumb reach the maximum itself; the thumb then
// keeps the theme's fixed length.
ScrollBar::ScrollBar(wxWindow* parent, const ControlDefinition& definition)
    : adjustment_(gtk_adjustment_new(definition.scroll.position, 0, 0, definition.scroll.lineStep,
                                     definition.scroll.pageStep, 0)),
      minimum_(definition.scroll.minimum),
      maximum_(definition.scroll.maximum),
      reported_(definition.scroll.position),
      onPositionChanged_(definition.onPositionChanged) {
  g_object_ref_sink(adjustment_);  // ours as much as the bar's, until our destructor
  GtkWidget* bar = gtk_scrollbar_new(GTK_ORIENTATION_VERTICAL, AsAdjustment(adjustment_));
  gtk_range_set_round_digits(GTK_RANGE(bar), 0);  // positions are whole numbers, also mid-drag
  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_box_pack_start(GTK_BOX(column), ArrowButton("pan-up-symbolic", AsAdjustment(adjustment_), -1),
                     FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(column), bar, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(column), ArrowButton("pan-down-symbolic", AsAdjustment(adjustment_), 1),
                     FALSE, FALSE, 0);
  gtk_widget_show_all(column);
  ApplyRange();
  gtk_adjustment_set_value(AsAdjustment(adjustment_), definition.scroll.position);
  g_signal_connect(adjustment_, "value-changed", G_CALLBACK(&ScrollBar::ValueChanged), this);
  Create(parent, wxID_ANY, column);
  SetSize(definition.left, definition.top, definition.width, definition.height);
}

ScrollBar::~ScrollBar() {
  // The toolkit may outlive this object by a moment; it must not call back.
  g_signal_handlers_disconnect_by_data(adjustment_, this);
  g_object_unref(adjustment_);
}

void ScrollBar::ValueChanged(void*, void* self) {
  auto* bar = static_cast<ScrollBar*>(self);
  const int position = bar->Position();
  if (position == bar->reported_) return;  // a fraction of a drag, not a new position
  bar->reported_ = position;
  if (bar->onPositionChanged_ && !bar->applyingRange_) bar->onPositionChanged_();
}

void ScrollBar::ApplyRange() {
  GtkAdjustment* adjustment = AsAdjustment(adjustment_);
  // The position stays unless it falls outside the new range; then it is
  // brought inside, quietly: the user moved nothing.
  applyingRange_ = true;
  gtk_adjustment_configure(adjustment, gtk_adjustment_get_value(adjustment),
                           std::min(minimum_, maximum_), std::max(minimum_, maximum_),
                           gtk_adjustment_get_step_increment(adjustment),
                           gtk_adjustment_get_page_increment(adjustment), 0);
  applyingRange_ = false;
}

void ScrollBar::SetMinimum(int minimum) {
  minimum_ = minimum;
  ApplyRange();
}

void ScrollBar::SetMaximum(int maximum) {
  maximum_ = maximum;
  ApplyRange();
}

int ScrollBar::Position() const {
  return static_cast<int>(std::lround(gtk_adjustment_get_value(AsAdjustment(adjustment_))));
}
