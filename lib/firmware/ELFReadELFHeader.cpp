#include "lib/firmware/firmware.h"

TYPE_ElfHeader* ELFHeader = nullptr;

bool ELFReadELFHeader(void) {
  if (ELFHeader) TAP_MemFree(ELFHeader);
  ELFHeader = static_cast<TYPE_ElfHeader*>(TAP_MemAlloc(sizeof(TYPE_ElfHeader)));
  return ELFHeader && ELFReadBlock(0, ELFHeader, sizeof(TYPE_ElfHeader));
}
