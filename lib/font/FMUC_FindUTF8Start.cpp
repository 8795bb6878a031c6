#include "lib/font/font.h"

char* FMUC_FindUTF8Start(const char* p) {
  if (!p) return nullptr;
  while ((static_cast<byte>(*p) & 0xC0) == 0x80)
    --p;
  return const_cast<char*>(p);
}
