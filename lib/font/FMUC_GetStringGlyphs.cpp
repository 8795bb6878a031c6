#include "lib/font/font.h"

int FMUC_GetStringGlyphs(const char* text, FMUC_Font* font, const FMUC_Glyph** glyphs, int capacity,
                         int* width, dword* height) {
  int count = 0;
  int textWidth = 0;
  dword textHeight = 0;
  byte length = 1;
  for (const char* p = text; p && *p; p += length) {
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(font, p, &length);
    if (!glyph) continue;
    if (count >= capacity) return -1;
    glyphs[count++] = glyph;
    if (glyph->CodePoint < 0xA8 || !FMUC_IsDiacriticalMark(glyph->CodePoint))
      textWidth += glyph->Width;
    if (glyph->Height > textHeight) textHeight = glyph->Height;
  }
  if (width) *width = textWidth;
  if (height) *height = textHeight;
  return count;
}
