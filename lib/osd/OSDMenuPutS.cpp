#include "lib/osd/osd.h"

void OSDMenuPutS(word region, dword x, dword y, dword maxX, const char* text, dword foreColor,
                 dword backColor, dword fontSize, dword overflowMode, dword alignment) {
  FMUC_Font* font = OSDMenuStdFont(fontSize);
  if (!font) return;
  // Toolkit rows name where the text's letters sit; the fonts' glyphs start 3 rows above
  // that. A row above the region's top would wrap round, so the lift stops at row 0.
  const dword LIFT = 3;
  const dword top = y < LIFT ? 0 : y - LIFT;
  // Without its font a text would vanish, a button's label among them: the firmware's
  // own text stands in, on the same line, placed as the font would have placed it.
  if (font->FileHandle <= 0) {
    if (text && *text && x < maxX)
      TAP_Osd_PutS(region, x, top, maxX, text, foreColor, backColor, 0,
                   OSDMenuFirmwareFontSize(fontSize), 0,
                   byte(alignment) > FMUC_ALIGN_RIGHT ? byte(FMUC_ALIGN_LEFT) : byte(alignment));
    return;
  }
  FMUC_PutStringAA(region, x, top, maxX, text, foreColor, backColor, font, byte(overflowMode),
                   byte(alignment), 1.0f);
}
