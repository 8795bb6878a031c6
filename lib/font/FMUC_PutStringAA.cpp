#include <string.h>

#include "lib/font/font.h"
#include "lib/osd/osd.h"
#include "lib/text/text.h"

namespace {

enum : dword {
  // Longer texts cannot be meant for one line; the working copy's size must not wrap.
  PUTSTRING_MAX_TEXT = 0x00FFFFFF,
  PUTSTRING_ROOM = 20,          // spare bytes of the working copy, for the ellipsis
  PUTSTRING_DEFAULT_TABLE = 9,  // single bytes without a selection: ISO/IEC 8859-9
  // The cleaned copy holds at most 127 bytes, one more character after an ellipsis
  // was appended: every character's glyph fits.
  PUTSTRING_MAX_GLYPHS = 130,
  PUTSTRING_PLAIN_MAX = 127,  // the cleaned copy's longest
};

}  // namespace

void FMUC_PutStringAA(word region, dword x, dword y, dword maxX, const char* text, dword foreColor,
                      dword backColor, FMUC_Font* font, byte overflowMode, byte align,
                      float blendFactor) {
  if (!text || !*text || !font || x >= maxX) return;
  const dword regionWidth = GetOSDRegionWidth(region);
  if (regionWidth && maxX >= regionWidth) maxX = regionWidth - 1;
  // The room may now lie wholly beyond the region's right edge.
  if (x >= maxX) return;

  const dword length = static_cast<dword>(strlen(text));
  if (length > PUTSTRING_MAX_TEXT) return;
  // Printable ASCII that fits the cleaned copy's limit is its own cleaned copy: there is
  // no encoding to tell and nothing to convert or remove.
  bool plain = length <= PUTSTRING_PLAIN_MAX;
  for (const char* p = text; plain && *p; ++p)
    plain = *p >= 0x20 && *p <= 0x7E;
  dword hasAnsi = 0;
  dword hasUTF8 = 0;
  if (!plain) GetStringEncoding(text, &hasAnsi, &hasUTF8);
  const bool convert = hasAnsi && !hasUTF8;
  char* copy = static_cast<char*>(
      TAP_MemAlloc(convert ? 4 * length + PUTSTRING_ROOM : length + PUTSTRING_ROOM));
  if (!copy) return;
  // The conversion reads the text only up to its terminator, as strlen did: at most
  // three bytes for each of those length bytes, and the terminator.
  if (convert)
    StrToUTF8(text, copy, PUTSTRING_DEFAULT_TABLE);
  else
    TAP_MemCpy(copy, text, length + 1);
  if (!plain) MakeValidFileName(copy, LC_CONTROL | LC_LINEBREAK);

  // Each character's glyph is looked up once, for measuring and drawing alike; only a
  // text cut to fit is looked up again.
  const FMUC_Glyph* glyphs[PUTSTRING_MAX_GLYPHS];
  int textWidth = 0;
  dword height = 0;
  int count = FMUC_GetStringGlyphs(copy, font, glyphs, PUTSTRING_MAX_GLYPHS, &textWidth, &height);
  // right: the last column of the text's box.
  int64_t right = static_cast<int64_t>(x) + textWidth - 1;
  if (count >= 0 && static_cast<int64_t>(maxX) < right) {
    count = FMUC_FitString(copy, font, overflowMode, maxX, &right)
                ? FMUC_GetStringGlyphs(copy, font, glyphs, PUTSTRING_MAX_GLYPHS, nullptr, &height)
                : -1;
  }
  if (count < 0) {
    TAP_MemFree(copy);
    return;
  }

  const int64_t width = right - x + 1;
  int64_t drawX = x;
  if (align == FMUC_ALIGN_CENTER)
    drawX = x + (static_cast<int64_t>(maxX) - right) / 2;
  else if (align == FMUC_ALIGN_RIGHT)
    drawX = static_cast<int64_t>(maxX) - (right - x);

  // Nothing of an empty text is drawn, not even its background.
  if (height > 0) {
    const bool solidBack = (backColor >> 24) != 0;
    if (solidBack) {
      TAP_Osd_FillBox(region, x, y, maxX - x + 1, height, backColor);
      FM_InitAlphaLUT(foreColor, backColor, blendFactor);
    }
    if (width > 0) {
      byte* pixels =
          TAP_Osd_SaveBox(region, static_cast<dword>(drawX), y, static_cast<dword>(width), height);
      if (pixels) {
        FMUC_DrawGlyphs(reinterpret_cast<dword*>(pixels), static_cast<int>(width),
                        static_cast<int>(height), glyphs, count, foreColor, backColor, solidBack,
                        FM_FactorBits(blendFactor));
        TAP_Osd_RestoreBox(region, static_cast<dword>(drawX), y, static_cast<dword>(width), height,
                           pixels);
        TAP_MemFree(pixels);
      }
    }
  }
  TAP_MemFree(copy);
}
