#include "core/runtime.h"

#include "host/tap.h"

void* ObjectAlloc(size_t size) {
  TAP_Print("__builtin_new. size=%d\n", static_cast<int>(size));
  return TAP_MemAlloc(static_cast<dword>(size));
}

void ObjectFree(void* block) {
  if (block) TAP_MemFree(block);
}

void FatalStop(void) {
  for (;;)
    TAP_Sleep(1000);
}
