#include "core/exit_routines.h"

#include <algorithm>

void ExitRoutines::Register(Handler routine) {
  if (routine == nullptr) return;
  if (std::find(routines_.begin(), routines_.end(), routine) != routines_.end()) return;
  routines_.push_back(routine);
}

void ExitRoutines::RunAll() {
  while (next_ < routines_.size()) {
    Handler routine = routines_[next_++];  // advance first: a routine may re-enter
    routine();
  }
}
