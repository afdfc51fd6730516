// The application's entry routine. A host's main builds the host and calls it;
// the host ends the process with the value returned.
#pragma once

class Host;

int ApplicationEntry(Host& host);
