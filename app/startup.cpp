#include "app/channel_prefixes.h"
#include "app/entry.h"
#include "app/main_window.h"
#include "core/host.h"

int ApplicationEntry(Host& host) {
  host.Initialise();
  host.RegisterExitRoutine(ReleaseChannelPrefixes);
  // Nothing else needs initialising: the prefixes start empty.
  host.LoadStartupWindow(MainWindow);
  host.RunMessageLoop();
  return 0;
}

void MainWindowCreated() { AssignChannelPrefixes(); }
