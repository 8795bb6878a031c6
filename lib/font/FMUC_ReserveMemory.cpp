#include "lib/font/font.h"

void* FMUC_ReserveMemory(const char* requester, dword size) {
  (void)requester;
  return TAP_MemAlloc(size);
}
