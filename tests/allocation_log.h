// Records the array blocks the program obtains and frees while recording is
// on, so a test can see how often a routine allocates, and what it released
// in which order. Linking this file replaces operator new[] and delete[].
#pragma once

#include <vector>

namespace allocation_log {

void Start();
void Stop();
int Allocations();                    // new[] calls while recording
std::vector<const void*> Freed();     // delete[] calls while recording, in order

}  // namespace allocation_log
