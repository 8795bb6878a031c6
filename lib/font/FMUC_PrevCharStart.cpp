#include "lib/font/font.h"
#include "lib/text/text.h"

char* FMUC_PrevCharStart(const char* text, const char* p) {
  if (!text || !p || p <= text) return const_cast<char*>(text);
  // Stepping forward from the start is the only way that agrees with the lookup on
  // broken sequences and can never leave the text; the texts are at most 130 bytes.
  const char* start = text;
  for (const char* c = text; c < p && *c;) {
    start = c;
    byte length = 1;
    isUTF8Char(c, &length);
    c += length;
  }
  return const_cast<char*>(start);
}
