#include "host/runtime.h"
#include "host/tap.h"

void* ObjectAlloc(size_t size) {
  TAP_Print("__builtin_new. size=%d\n", static_cast<int>(size));
  return TAP_MemAlloc(static_cast<dword>(size));
}
