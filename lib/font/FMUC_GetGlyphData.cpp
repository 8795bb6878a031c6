#include <stdint.h>
#include <unistd.h>

#include "lib/font/font.h"
#include "lib/text/text.h"

FMUC_RecentGlyph FMUC_RecentGlyphs[FMUC_RECENT_GLYPHS];

namespace {

// The glyphs found last, by code point and font: nearly every character drawn or
// measured is one of these (FMUC_FindRecentGlyph).

FMUC_Glyph* Remember(const FMUC_Font* font, dword codePoint, FMUC_Glyph* glyph) {
  FMUC_RecentGlyphs[FMUC_RecentSlot(font, codePoint)] = {font, glyph};
  return glyph;
}

}  // namespace

FMUC_Glyph* FMUC_GetGlyphData(FMUC_Font* font, const char* text, byte* byteCount) {
  if (byteCount) *byteCount = 1;
  if (!font || font->FileHandle <= 0 || !text || !font->FontDef || !font->GlyphCache)
    return nullptr;
  // Control codes never have glyphs; 0xA0 and up may be Latin-1 bytes.
  const byte lead = static_cast<byte>(*text);
  if (lead < 0x20 || (lead >= 0x80 && lead <= 0x9F)) return nullptr;
  // A byte below 0x80 is a character of its own and its own code point.
  const dword codePoint = lead < 0x80 ? lead : UTF8ToUTF32(text, byteCount);

  if (FMUC_Glyph* recent = FMUC_FindRecentGlyph(font, codePoint, font->GlyphCache,
                                                font->GlyphCache + font->CachedGlyphs))
    return recent;

  // Every character drawn or measured comes through here, nearly always to find its
  // glyph cached: the search looks at four entries per step.
  FMUC_Glyph* glyph = font->GlyphCache;
  FMUC_Glyph* const cacheEnd = glyph + (font->CachedGlyphs > 0 ? font->CachedGlyphs : 0);
  for (; cacheEnd - glyph >= 4; glyph += 4) {
    if (glyph[0].CodePoint == codePoint) return Remember(font, codePoint, glyph);
    if (glyph[1].CodePoint == codePoint) return Remember(font, codePoint, glyph + 1);
    if (glyph[2].CodePoint == codePoint) return Remember(font, codePoint, glyph + 2);
    if (glyph[3].CodePoint == codePoint) return Remember(font, codePoint, glyph + 3);
  }
  for (; glyph < cacheEnd; ++glyph) {
    if (glyph->CodePoint == codePoint) return Remember(font, codePoint, glyph);
  }

  if (font->CachedGlyphs >= font->GlyphCount) return nullptr;
  // The first definition of the code point whose pixels are all in the file: one that
  // is empty or reaches past the file's end is passed over (its read comes up short), so
  // its character is simply not drawn. Checked here, on first use, rather than for
  // every definition at the load, which the message box waits for; and before the
  // pixels' memory is reserved, so a damaged definition never asks for gigabytes.
  const off_t fileSize = lseek(font->FileHandle, 0, SEEK_END);
  if (fileSize < 0) return nullptr;
  for (int i = 0; i < font->GlyphCount; ++i) {
    const FMUC_GlyphDef& def = font->FontDef[i];
    if (def.CodePoint != codePoint || !def.Width || !def.Height) continue;
    const dword size = static_cast<dword>(def.Width) * def.Height;
    if (static_cast<unsigned long long>(def.Offset) + size >
        static_cast<unsigned long long>(fileSize))
      continue;
    glyph = &font->GlyphCache[font->CachedGlyphs];
    glyph->CodePoint = def.CodePoint;
    glyph->Width = def.Width;
    glyph->Height = def.Height;
    // The coverage bytes, and behind them where their ink lies.
    glyph->GlyphData = static_cast<byte*>(FMUC_ReserveMemory(
        "FMUC_GetGlyphData GlyphData", size + FMUC_GlyphInkBytes(def.Width, def.Height)));
    if (!glyph->GlyphData) return nullptr;
    if (lseek(font->FileHandle, static_cast<off_t>(def.Offset), SEEK_SET) ==
            static_cast<off_t>(def.Offset) &&
        read(font->FileHandle, glyph->GlyphData, size) == static_cast<ssize_t>(size)) {
      if (FMUC_GlyphInkBytes(glyph->Width, glyph->Height)) FMUC_MeasureGlyphInk(glyph);
      ++font->CachedGlyphs;
      return Remember(font, codePoint, glyph);
    }
    FMUC_FreeMemory("FMUC_GetGlyphData GlyphData", glyph->GlyphData);
    glyph->GlyphData = nullptr;
  }
  return nullptr;
}
