#include "tests/allocation_log.h"

#include <cstdlib>
#include <new>

namespace {
// Fixed storage: recording must not allocate itself.
bool recording = false;
int allocations = 0;
const void* freed[64];
int freedCount = 0;
}  // namespace

void* operator new[](std::size_t size) {
  if (recording) ++allocations;
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete[](void* block) noexcept {
  if (recording && block != nullptr && freedCount < 64) freed[freedCount++] = block;
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept { operator delete[](block); }

namespace allocation_log {

void Start() {
  allocations = 0;
  freedCount = 0;
  recording = true;
}
void Stop() { recording = false; }
int Allocations() { return allocations; }
std::vector<const void*> Freed() { return std::vector<const void*>(freed, freed + freedCount); }

}  // namespace allocation_log
