#include <string.h>

#include "lib/firmware/firmware.h"

dword ELFGetSectionIndex(const char* name) {
  if (!name || !ELFHeader || !SectionHeaders || !shstrtab) return 0;
  for (dword index = 1; index < ELFHeader->sectionHeaderCount; ++index) {
    dword offset = SectionHeaders[index].name;
    if (offset >= shstrtabSize) continue;
    if (strcmp(shstrtab + offset, name) == 0) return index;
  }
  return 0;
}
