#include "lib/font/font.h"

void FMUC_MemoryDump(int* count, int* bytes) {
  int blocks = 0;
  dword total = 0;
  for (dword i = 0; i < FMUC_MEMORY_RECORDS; ++i) {
    if (FMUC_Memory[i].Pointer) {
      ++blocks;
      total += FMUC_Memory[i].Size;
    }
  }
  if (count) *count = blocks;
  if (bytes) *bytes = static_cast<int>(total);
}
