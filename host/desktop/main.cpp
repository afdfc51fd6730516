// The desktop program: builds the desktop host and runs the application.
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>

#include "app/entry.h"
#include "host/desktop/desktop_host.h"

namespace {

class VarneloApp final : public wxApp {
 public:
  // The program reads no command line: skip wxApp's own parsing.
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(VarneloApp);

int main(int, char** argv) {
  // Arguments are ignored; only the program name reaches the toolkit.
  int argc = 1;
  char* arguments[] = {argv[0], nullptr};
  if (!wxEntryStart(argc, arguments) || !wxTheApp->CallOnInit()) {
    std::fputs("varnelo: the desktop could not be opened\n", stderr);
    return -1;
  }
  DesktopHost host;
  host.EndProcess(ApplicationEntry(host));
}
