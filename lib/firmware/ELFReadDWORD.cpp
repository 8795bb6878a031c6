#include "lib/firmware/firmware.h"

bool ELFReadDWORD(dword index, dword* destination) {
  if (!ELFHeader || !SectionHeaders || index >= ELFHeader->sectionHeaderCount) return false;
  const TYPE_ElfSection& section = SectionHeaders[index];
  if (section.size != sizeof(dword)) return false;
  if (!destination) return true;
  return ELFReadBlock(section.offset, destination, sizeof(dword));
}
