#include "lib/text/text.h"

char* SkipCharTableBytes(const char* str) {
  if (!str) return nullptr;
  const byte first = (byte)str[0];
  size_t skip = 0;
  if (first == 0x10) {
    // 0x10, an ignored byte (0x00 in broadcast texts, so it can be no
    // terminator), the table number. A string that ends on the table number's
    // place stops at its terminator.
    skip = str[2] ? 3 : 2;
  } else if (first == 0x1F) {
    skip = str[1] ? 2 : 1;
  } else if (first > 0 && first < 0x20) {
    skip = 1;
  }
  return const_cast<char*>(str) + skip;
}
