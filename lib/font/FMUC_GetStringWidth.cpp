#include "lib/font/font.h"

int FMUC_GetStringWidth(const char* text, FMUC_Font* font) {
  if (!text || !*text || !font) return 0;
  int width = 0;
  byte length = 1;
  for (const char* p = text; *p; p += length) {
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(font, p, &length);
    if (glyph && !FMUC_IsDiacriticalMark(glyph->CodePoint)) width += glyph->Width;
  }
  return width;
}
