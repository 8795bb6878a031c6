#include "lib/font/font.h"

dword FMUC_GetStringHeight(const char* text, FMUC_Font* font) {
  if (!text || !*text || !font) return 0;
  dword height = 0;
  byte length = 1;
  for (const char* p = text; *p; p += length) {
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(font, p, &length);
    if (glyph && glyph->Height > height) height = glyph->Height;
  }
  return height;
}
