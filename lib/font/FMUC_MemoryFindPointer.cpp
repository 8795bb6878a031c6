#include "lib/font/font.h"

FMUC_MemoryRecord* FMUC_MemoryFindPointer(const void* pointer) {
  for (dword i = 0; i < FMUC_MEMORY_RECORDS; ++i) {
    if (FMUC_Memory[i].Pointer == pointer) return &FMUC_Memory[i];
  }
  return nullptr;
}
