#include "lib/firmware/firmware.h"

char* shstrtab = nullptr;
dword shstrtabSize = 0;

bool ELFReadShstrtabSection(void) {
  if (shstrtab) TAP_MemFree(shstrtab);
  shstrtab = nullptr;
  shstrtabSize = 0;
  if (!ELFHeader || !SectionHeaders) return false;
  dword index = ELFHeader->sectionNameIndex;
  if (index >= ELFHeader->sectionHeaderCount) return false;
  const TYPE_ElfSection& table = SectionHeaders[index];
  if (table.type != ELF_SECTION_STRING_TABLE) return false;
  if (static_cast<unsigned long long>(table.offset) + table.size > ELFFileSize) return false;
  // One byte more than the table, always NUL: a name that runs to the table's end
  // without its terminator still ends inside the buffer.
  shstrtab = static_cast<char*>(TAP_MemAlloc(table.size + 1));
  if (!shstrtab) return false;
  shstrtab[table.size] = '\0';
  shstrtabSize = table.size;
  return ELFReadBlock(table.offset, shstrtab, table.size);
}
