#include <unistd.h>

#include "lib/font/font.h"

void FMUC_FreeFontFile(FMUC_Font* font) {
  if (!font) return;
  if (font->GlyphCache) {
    for (int i = 0; i < font->CachedGlyphs; ++i) {
      if (font->GlyphCache[i].GlyphData)
        FMUC_FreeMemory("FMUC_FreeFontFile", font->GlyphCache[i].GlyphData);
    }
    FMUC_FreeMemory("FMUC_FreeFontFile", font->GlyphCache);
  }
  if (font->FontDef) FMUC_FreeMemory("FMUC_FreeFontFile", font->FontDef);
  // A negative handle is what a failed open left; there is nothing to close.
  if (font->FileHandle > 0) close(font->FileHandle);
  TAP_MemSet(font, 0, sizeof *font);
}
