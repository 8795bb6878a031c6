#include "lib/firmware/firmware.h"

bool ELFReadData(dword index, void* destination, dword capacity) {
  if (!ELFHeader || !SectionHeaders || index >= ELFHeader->sectionHeaderCount) return false;
  if (!destination) return true;
  const TYPE_ElfSection& section = SectionHeaders[index];
  dword size = section.size < capacity ? section.size : capacity;
  return ELFReadBlock(section.offset, destination, size);
}
