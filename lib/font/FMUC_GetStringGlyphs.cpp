#include "lib/font/font.h"

int FMUC_GetStringGlyphs(const char* text, FMUC_Font* font, const FMUC_Glyph** glyphs, int capacity,
                         int* width, dword* height) {
  int count = 0;
  int textWidth = 0;
  dword textHeight = 0;
  // Nearly every character drawn is printable ASCII whose glyph was found lately: it is
  // taken straight from the glyph lookup's table of recent glyphs.
  const bool loaded = font && font->FileHandle > 0 && font->FontDef && font->GlyphCache;
  byte length = 1;
  for (const char* p = text; p && *p; p += length) {
    const byte lead = static_cast<byte>(*p);
    const FMUC_Glyph* glyph = nullptr;
    length = 1;
    if (loaded && lead >= 0x20 && lead < 0x80) glyph = FMUC_FindRecentGlyph(font, lead);
    if (!glyph) glyph = FMUC_GetGlyphData(font, p, &length);
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
