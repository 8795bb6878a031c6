#include "lib/text/text.h"

dword UTF8ToUTF32(const char* p, byte* outLength) {
  if (outLength) *outLength = 1;
  if (!p) return 0;
  const byte* b = reinterpret_cast<const byte*>(p);
  byte length;
  // A byte that starts no valid sequence stands for itself, so Latin-1 text
  // decodes to its own code points.
  if (!isUTF8Char(p, &length)) return b[0];
  if (outLength) *outLength = length;
  switch (length) {
    case 2:
      return (dword)(b[0] & 0x1F) << 6 | (b[1] & 0x3F);
    case 3:
      return (dword)(b[0] & 0x0F) << 12 | (dword)(b[1] & 0x3F) << 6 | (b[2] & 0x3F);
    default:
      return (dword)(b[0] & 0x07) << 18 | (dword)(b[1] & 0x3F) << 12 | (dword)(b[2] & 0x3F) << 6 |
             (b[3] & 0x3F);
  }
}
