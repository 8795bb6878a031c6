#include "lib/font/font.h"

bool FMUC_IsDiacriticalMark(dword codePoint) {
  // Every character of plain text, asked about once per glyph drawn or measured.
  if (codePoint < 0xA8) return false;
  return (codePoint >= 0x0300 && codePoint <= 0x036F) ||  // combining diacritical marks
         (codePoint >= 0x0E34 && codePoint <= 0x0E3A) ||  // Thai vowel marks
         (codePoint >= 0x0E47 && codePoint <= 0x0E4E) ||  // Thai tone marks
         codePoint == 0x00A8 || codePoint == 0x00B4 || codePoint == 0x00B8 || codePoint == 0x0384 ||
         codePoint == 0x0385 || codePoint == 0x0E31;
}
