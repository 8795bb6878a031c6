#include <unistd.h>

#include "lib/font/font.h"
#include "lib/text/text.h"

FMUC_Glyph* FMUC_GetGlyphData(FMUC_Font* font, const char* text, byte* byteCount) {
  if (byteCount) *byteCount = 1;
  if (!font || font->FileHandle <= 0 || !text || !font->FontDef || !font->GlyphCache)
    return nullptr;
  // Control codes never have glyphs; 0xA0 and up may be Latin-1 bytes.
  const byte lead = static_cast<byte>(*text);
  if (lead < 0x20 || (lead >= 0x80 && lead <= 0x9F)) return nullptr;
  // A byte below 0x80 is a character of its own and its own code point.
  const dword codePoint = lead < 0x80 ? lead : UTF8ToUTF32(text, byteCount);

  // Every character drawn or measured comes through here, nearly always to find its
  // glyph cached: the search looks at four entries per step.
  FMUC_Glyph* glyph = font->GlyphCache;
  FMUC_Glyph* const cacheEnd = glyph + (font->CachedGlyphs > 0 ? font->CachedGlyphs : 0);
  for (; cacheEnd - glyph >= 4; glyph += 4) {
    if (glyph[0].CodePoint == codePoint) return glyph;
    if (glyph[1].CodePoint == codePoint) return glyph + 1;
    if (glyph[2].CodePoint == codePoint) return glyph + 2;
    if (glyph[3].CodePoint == codePoint) return glyph + 3;
  }
  for (; glyph < cacheEnd; ++glyph) {
    if (glyph->CodePoint == codePoint) return glyph;
  }

  // The load emptied every definition whose pixels are not in the file.
  const FMUC_GlyphDef* def = nullptr;
  for (int i = 0; i < font->GlyphCount && !def; ++i) {
    const FMUC_GlyphDef& d = font->FontDef[i];
    if (d.CodePoint == codePoint && d.Width && d.Height) def = &d;
  }
  if (!def || font->CachedGlyphs >= font->GlyphCount) return nullptr;

  glyph = &font->GlyphCache[font->CachedGlyphs];
  const dword size = static_cast<dword>(def->Width) * def->Height;
  glyph->CodePoint = def->CodePoint;
  glyph->Width = def->Width;
  glyph->Height = def->Height;
  glyph->GlyphData = static_cast<byte*>(FMUC_ReserveMemory("FMUC_GetGlyphData GlyphData", size));
  if (!glyph->GlyphData) return nullptr;
  if (lseek(font->FileHandle, static_cast<off_t>(def->Offset), SEEK_SET) !=
          static_cast<off_t>(def->Offset) ||
      read(font->FileHandle, glyph->GlyphData, size) != static_cast<ssize_t>(size)) {
    // The file changed under the font: the glyph stays out of the cache.
    FMUC_FreeMemory("FMUC_GetGlyphData GlyphData", glyph->GlyphData);
    glyph->GlyphData = nullptr;
    return nullptr;
  }
  ++font->CachedGlyphs;
  return glyph;
}
