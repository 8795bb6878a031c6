#include "lib/osd/osd.h"

void OSDMenuPutS(word region, dword x, dword y, dword maxX, const char* text, dword foreColor,
                 dword backColor, dword fontSize, dword overflowMode, dword alignment) {
  FMUC_Font* font = nullptr;
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    if (slot.fontSize == byte(fontSize)) font = slot.font;
  if (!font) return;
  // Toolkit rows name where the text's letters sit; the fonts' glyphs start 3 rows above
  // that. A row above the region's top would wrap round, so the lift stops at row 0.
  const dword LIFT = 3;
  FMUC_PutStringAA(region, x, y < LIFT ? 0 : y - LIFT, maxX, text, foreColor, backColor, font,
                   byte(overflowMode), byte(alignment), 1.0f);
}
