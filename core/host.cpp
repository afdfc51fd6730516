#include "core/host.h"

#include <cstdlib>

namespace {
Host* currentHost = nullptr;
}

Host::~Host() {
  if (currentHost == this) currentHost = nullptr;
}

void Host::Initialise() {
  currentHost = this;
  InitialiseServices();
}

void Host::Fatal(const Text& failure) {
  // A failure while reporting one (memory, say) goes straight to the end.
  if (!reportingFatal_) {
    reportingFatal_ = true;
    ShowFatalError(failure);
  }
  EndProcess(-1);
  std::abort();  // a host whose end of the process returned
}

Host& TheHost() {
  if (currentHost == nullptr) std::abort();  // a handler ran before the entry routine: a build fault
  return *currentHost;
}

void OutOfMemory() {
  if (currentHost == nullptr) std::abort();
  currentHost->Fatal("内存不足，无法继续运行。"_t);
}

void StartupWindowFailed() { TheHost().Fatal("无法创建启动窗口。"_t); }
