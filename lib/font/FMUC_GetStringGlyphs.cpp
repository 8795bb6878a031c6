#include "lib/font/font.h"

int FMUC_GetStringGlyphs(const char* text, FMUC_Font* font, const FMUC_Glyph** glyphs, int capacity,
                         int* width, dword* height) {
  int count = 0;
  int textWidth = 0;
  dword textHeight = 0;
  // Nearly every character drawn is printable ASCII whose glyph was found lately: it is
  // taken straight from the glyph lookup's table of recent glyphs, among the glyphs the
  // font has cached (none for a font that is not loaded); any other goes through the
  // whole lookup, which may cache one more.
  const bool loaded = font && font->FileHandle > 0 && font->FontDef && font->GlyphCache;
  const FMUC_Glyph* const cached = loaded ? font->GlyphCache : nullptr;
  const FMUC_Glyph* cachedEnd = loaded ? cached + font->CachedGlyphs : nullptr;
  for (const char* p = text; p && *p;) {
    const byte lead = static_cast<byte>(*p);
    const FMUC_Glyph* glyph = nullptr;
    if (lead >= 0x20 && lead < 0x80) glyph = FMUC_FindRecentGlyph(font, lead, cached, cachedEnd);
    if (glyph) {
      ++p;
    } else {
      byte length = 1;
      glyph = FMUC_GetGlyphData(font, p, &length);
      p += length;
      if (loaded) cachedEnd = cached + font->CachedGlyphs;
      if (!glyph) continue;
    }
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
