#include <string.h>

#include "lib/font/font.h"
#include "lib/text/text.h"

namespace {

const char kEllipsis[] = "\xE2\x80\xA6";        // U+2026
const char kEllipsisSpace[] = "\xE2\x80\xA6 ";  // the room an ellipsis at the end keeps

}  // namespace

bool FMUC_FitString(char* text, FMUC_Font* font, byte overflowMode, int64_t maxX, int64_t* right) {
  if (!text || !right) return false;
  if (overflowMode > FMUC_FIT_ELLIPSIS_START || !*text) return *right <= maxX;

  // Every character stepped over takes its glyph's full width off the box, marks
  // included; the box may then be wider than the text drawn in it, never narrower
  // than what it has room for.
  dword lastWidth = 0;
  if (overflowMode == FMUC_FIT_ELLIPSIS_START) {
    *right += FMUC_GetStringWidth(kEllipsis, font);
    char* p = text;
    int stepped = 0;
    while (*p) {
      byte length = 1;
      const FMUC_Glyph* glyph = FMUC_GetGlyphData(font, p, &length);
      if (glyph) {
        lastWidth = glyph->Width;
        *right -= lastWidth;
      }
      p += length;
      ++stepped;
      if (*right <= maxX || lastWidth == 0) break;
    }
    DeleteAt(text, 0, stepped);
    InsertAt(text, 0, kEllipsis);
    return *right <= maxX;
  }

  if (overflowMode == FMUC_FIT_ELLIPSIS_END) *right += FMUC_GetStringWidth(kEllipsisSpace, font);
  // Characters go from the end; the first one stays, however wide it is.
  char* p = FMUC_PrevCharStart(text, text + strlen(text));
  for (;;) {
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(font, p, nullptr);
    if (glyph) {
      lastWidth = glyph->Width;
      *p = '\0';
      *right -= lastWidth;
    }
    if (*right <= maxX || lastWidth == 0 || p == text) break;
    char* previous = FMUC_PrevCharStart(text, p);
    if (previous == text) break;
    p = previous;
  }
  if (overflowMode == FMUC_FIT_ELLIPSIS_END)
    memcpy(text + strlen(text), kEllipsis, sizeof kEllipsis);
  return *right <= maxX;
}
