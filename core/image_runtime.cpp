// Language support of the image only (not of the unit-test build, which runs on the
// ordinary C++ runtime): object allocation through the host and the fatal stop.
#include <stddef.h>

#include "host/runtime.h"

void* operator new(size_t size) {
  return ObjectAlloc(size);
}
void* operator new[](size_t size) {
  return ObjectAlloc(size);
}
void operator delete(void* block) noexcept {
  ObjectFree(block);
}
void operator delete[](void* block) noexcept {
  ObjectFree(block);
}
void operator delete(void* block, size_t) noexcept {
  ObjectFree(block);
}
void operator delete[](void* block, size_t) noexcept {
  ObjectFree(block);
}

extern "C" void __cxa_pure_virtual(void) {
  FatalStop();
}
