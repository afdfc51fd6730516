// The exit-routine list: each routine kept once, in registration order, and
// run exactly once however the process ends.
#pragma once

#include <vector>

#include "core/window_definition.h"

class ExitRoutines {
 public:
  void Register(Handler routine);
  // Runs every routine not yet run, in order. A routine that ends the process
  // itself cannot make another one run twice.
  void RunAll();

 private:
  std::vector<Handler> routines_;
  std::size_t next_ = 0;
};
