#include "lib/text/text.h"

bool isUTF8Char(const char* p, byte* outLength) {
  byte length = 1;
  if (p) {
    const byte* b = reinterpret_cast<const byte*>(p);
    byte expected = 0;
    if ((b[0] & 0xE0) == 0xC0) {
      expected = 2;
    } else if ((b[0] & 0xF0) == 0xE0) {
      expected = 3;
    } else if ((b[0] & 0xF8) == 0xF0) {
      expected = 4;
    }
    // Stops at the first byte that is no continuation byte; the terminator is
    // none, so a sequence cut short by it is never read beyond.
    byte seen = 1;
    while (seen < expected && (b[seen] & 0xC0) == 0x80)
      seen++;
    if (expected && seen == expected) length = expected;
  }
  if (outLength) *outLength = length;
  return length > 1;
}
