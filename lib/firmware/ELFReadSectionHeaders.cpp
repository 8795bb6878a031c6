#include "lib/firmware/firmware.h"

TYPE_ElfSection* SectionHeaders = nullptr;

bool ELFReadSectionHeaders(void) {
  if (SectionHeaders) TAP_MemFree(SectionHeaders);
  SectionHeaders = nullptr;
  if (!ELFHeader || !ELFHeader->sectionHeaderCount) return false;
  // At most 65535 headers of 40 bytes: the size cannot overflow 32 bits, and
  // ELFReadBlock refuses a table that does not lie inside the file before any of
  // it is read, so a claimed count never makes a large allocation on its own.
  dword size = ELFHeader->sectionHeaderCount * static_cast<dword>(sizeof(TYPE_ElfSection));
  if (static_cast<unsigned long long>(ELFHeader->sectionHeaderOffset) + size > ELFFileSize)
    return false;
  SectionHeaders = static_cast<TYPE_ElfSection*>(TAP_MemAlloc(size));
  return SectionHeaders && ELFReadBlock(ELFHeader->sectionHeaderOffset, SectionHeaders, size);
}
