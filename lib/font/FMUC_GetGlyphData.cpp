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
  const dword codePoint = UTF8ToUTF32(text, byteCount);

  for (int i = 0; i < font->CachedGlyphs; ++i) {
    if (font->GlyphCache[i].CodePoint == codePoint) return &font->GlyphCache[i];
  }

  // The load emptied every definition whose pixels are not in the file.
  const FMUC_GlyphDef* def = nullptr;
  for (int i = 0; i < font->GlyphCount && !def; ++i) {
    const FMUC_GlyphDef& d = font->FontDef[i];
    if (d.CodePoint == codePoint && d.Width && d.Height) def = &d;
  }
  if (!def || font->CachedGlyphs >= font->GlyphCount) return nullptr;

  FMUC_Glyph* glyph = &font->GlyphCache[font->CachedGlyphs];
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
