#include "lib/font/font.h"

char* FMUC_FindNextUTF8(const char* p) {
  if (!p) return nullptr;
  // At the terminator there is no next character to go to.
  if (*p) ++p;
  while ((static_cast<byte>(*p) & 0xC0) == 0x80)
    ++p;
  return const_cast<char*>(p);
}
