#include "lib/text/text.h"

char* SkipCharTableBytes(const char* str) {
  if (!str) return nullptr;
  const byte first = (byte)str[0];
  size_t skip = 0;
  if (first == SELECT_TABLE_BYTE) {
    // 0x10, an ignored byte, the table number. A text that ends inside the
    // selection ends where its terminator stands: nothing after it is looked at.
    skip = !str[1] ? 1 : !str[2] ? 2 : 3;
  } else if (first == SELECT_ENCODING) {
    skip = str[1] ? 2 : 1;
  } else if (first > 0 && first < 0x20) {
    skip = 1;
  }
  return const_cast<char*>(str) + skip;
}
