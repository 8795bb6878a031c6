#include "lib/font/font.h"

void FMUC_FreeMemory(const char* requester, void* pointer) {
  (void)requester;
  TAP_MemFree(pointer);
}
