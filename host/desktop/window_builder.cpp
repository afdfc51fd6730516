#include "host/desktop/window_builder.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/gdicmn.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/webview.h>

#include <ranges>

#include "host/desktop/gbk.h"
#include "host/desktop/scroll_bar.h"

namespace {

wxColour ToColour(const Rgb& rgb) { return wxColour(rgb.red, rgb.green, rgb.blue); }

void ApplyLook(wxWindow* control, const ControlDefinition& definition) {
  if (definition.textColour) control->SetForegroundColour(ToColour(*definition.textColour));
  if (definition.backgroundColour) control->SetBackgroundColour(ToColour(*definition.backgroundColour));
  if (definition.font.characterHeight > 0) {
    control->SetFont(wxFontInfo(wxSize(0, definition.font.characterHeight))
                         .Weight(definition.font.weight));
  }
}

wxWindow* BuildControl(wxWindow* parent, const ControlDefinition& definition) {
  const wxPoint place(definition.left, definition.top);
  const wxSize size(definition.width, definition.height);
  const wxString text = FromGbk(definition.text);
  switch (definition.kind) {
    case ControlKind::PushButton: {
      auto* button = new wxButton(parent, wxID_ANY, text, place, size);
      if (definition.onClicked) {
        button->Bind(wxEVT_BUTTON, [handler = definition.onClicked](wxCommandEvent&) { handler(); });
      }
      return button;
    }
    case ControlKind::TransparentLabel: {
      // A GTK label has no window of its own: the parent shows through it.
      auto* label = new wxStaticText(parent, wxID_ANY, text, place, size,
                                     wxALIGN_LEFT | wxST_NO_AUTORESIZE);
      gtk_label_set_line_wrap(GTK_LABEL(label->GetHandle()), FALSE);  // one line, cut at the edge
      gtk_label_set_yalign(GTK_LABEL(label->GetHandle()), 0.5f);  // vertically centred
      return label;
    }
    case ControlKind::EditBox:
      return new wxTextCtrl(parent, wxID_ANY, text, place, size,
                            wxTE_LEFT | (definition.readOnly ? wxTE_READONLY : 0));
    case ControlKind::DropDownList: {
      wxArrayString items;
      for (std::string_view item : definition.items) items.Add(FromGbk(item));
      auto* list = new wxChoice(parent, wxID_ANY, place, size, items);
      // The text cell's own padding alone would make a 20 px box too short.
      GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(list->GetHandle()));
      for (GList* cell = cells; cell != nullptr; cell = cell->next) {
        gtk_cell_renderer_set_padding(GTK_CELL_RENDERER(cell->data), 0, 0);
      }
      g_list_free(cells);
      return list;
    }
    case ControlKind::BrowserPane:
      // No address at start: nothing is loaded until the application sets one.
      return wxWebView::New(parent, wxID_ANY, wxString(), place, size);
    case ControlKind::VerticalScrollBar:
      return new ScrollBar(parent, definition);
  }
  return nullptr;
}

}  // namespace

BuiltWindow BuildWindow(const WindowDefinition& window, bool modal) {
  long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX | wxCLIP_CHILDREN;
  if (window.resizable) style |= wxRESIZE_BORDER;
  if (modal || !window.taskbarButton) style |= wxFRAME_NO_TASKBAR;

  BuiltWindow built;
  auto* frame = new wxFrame();
  // Created without a position: the window manager would ignore it; the
  // host asks GTK itself to centre the window when it shows it.
  if (!frame->Create(nullptr, wxID_ANY, FromGbk(window.caption), wxDefaultPosition,
                     wxSize(window.width, window.height), style)) {
    delete frame;
    return built;
  }

  auto* client = new wxPanel(frame, wxID_ANY);
  client->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  // GTK paints later children above earlier ones; the definition lists the
  // topmost first, so build from the bottom up.
  for (const ControlDefinition& definition : std::views::reverse(window.controls)) {
    wxWindow* control = BuildControl(client, definition);
    if (control == nullptr) {
      frame->Destroy();
      return BuiltWindow{};
    }
    ApplyLook(control, definition);
    if (!definition.visible) control->Hide();
    built.controls.emplace(std::string(definition.name), control);
  }
  built.frame = frame;
  return built;
}

namespace {

struct Centring {
  wxSize outer;
  gulong handler = 0;
};

gboolean CentreWhenMapped(GtkWidget* widget, GdkEvent*, gpointer data) {
  auto* centring = static_cast<Centring*>(data);
  const wxSize screen = wxGetDisplaySize();
  gtk_window_move(GTK_WINDOW(widget), (screen.GetWidth() - centring->outer.GetWidth()) / 2,
                  (screen.GetHeight() - centring->outer.GetHeight()) / 2);
  g_signal_handler_disconnect(widget, centring->handler);  // once: the user may move it later
  return FALSE;
}

}  // namespace

void CentreOnScreen(wxTopLevelWindow* window, wxSize outer) {
  auto* centring = new Centring{outer};
  centring->handler = g_signal_connect_data(
      window->GetHandle(), "map-event", G_CALLBACK(CentreWhenMapped), centring,
      [](gpointer data, GClosure*) { delete static_cast<Centring*>(data); }, GConnectFlags(0));
}

void InstallBaseStyle() {
  // The definitions were laid out for a 9-point interface font and controls
  // without GTK's generous minimum sizes; without this an entry wants about
  // 34 px of height and a narrow list loses its text.
  static const char kCss[] =
      "* { font-size: 9pt; }\n"
      "entry { min-height: 0; padding-top: 0; padding-bottom: 0; }\n"
      "button { min-height: 0; min-width: 0; padding: 0 2px; }\n"
      "combobox button.combo { min-height: 0; min-width: 0; padding: 0 1px 0 3px; }\n"
      "combobox arrow { min-width: 10px; min-height: 10px; -gtk-icon-transform: scale(0.7); }\n"
      "combobox cellview { min-width: 0; }\n"
      // A scroll bar's arrows: square buttons as wide as the bar.
      "button.scroll-arrow { padding: 0; border-width: 0; min-width: 0; min-height: 16px; }\n";
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, kCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
  // A click in a scroll bar's track moves it by a page, not to the click.
  g_object_set(gtk_settings_get_default(), "gtk-primary-button-warps-slider", FALSE, nullptr);
}
