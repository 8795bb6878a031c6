#include <string.h>

#include "lib/text/text.h"

bool isLegalChar(const char* p, dword flags) {
  if (!p) return false;
  const byte b = (byte)*p;
  if (flags & LC_CONTROL) {
    if (b < 0x20 && b != 0x0A) return false;
    // C1 controls, except the ones the firmware's texts use as characters
    // (0x80, 0x8A line break, 0x91, 0x92).
    const bool c1 = b == 0x7F || (b >= 0x81 && b <= 0x9F && b != 0x8A && b != 0x91 && b != 0x92);
    if (c1 && !isUTF8Char(p, nullptr)) return false;
  }
  if ((flags & LC_LINEBREAK) && (b == 0x0A || b == 0x8A)) return false;
  if ((flags & LC_FILENAME) && b && strchr("\"*/:<>?\\|", b)) return false;
  if ((flags & LC_ASCII) && (b < 0x20 || b > 0x7E)) return false;
  return true;
}
