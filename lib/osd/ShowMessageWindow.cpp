#include "lib/osd/messagewin.h"

namespace {

// Margin and line height of the firmware text at each size selector.
struct TextMeasure {
  dword margin;
  dword lineHeight;
};
const TextMeasure kMeasures[] = {{14, 19}, {16, 22}, {20, 26}};

enum : dword {
  TITLE_EXTRA = 10,  // the frame's height beyond the lines
  TEXT_TOP = 5,      // first text row below a line's top
};

}  // namespace

void ShowMessageWindow(const char* const* content, dword x, dword y, byte fontSize, byte align,
                       dword borderColor, dword titleColor, dword lineColor, dword bgColor,
                       dword delay) {
  if (!content) return;
  const char* title = content[0];
  if (!title && !content[1]) title = "";
  const TextMeasure& m = kMeasures[fontSize > 2 ? 2 : fontSize];

  dword width = 0;
  dword height = TITLE_EXTRA;
  if (title) {
    width = TAP_Osd_GetW(title, 0, fontSize) + m.margin;
    height += m.lineHeight;
  }
  const bool centreX = x >= SCREEN_WIDTH;
  const bool centreY = y >= SCREEN_HEIGHT;
  // Lines are taken while the window stays above the screen's bottom.
  dword lines = 0;
  for (const char* const* line = content + 1; *line; ++line) {
    const dword bottom = (centreY ? 0 : y) + height + m.lineHeight;
    if (bottom >= SCREEN_HEIGHT) break;
    height += m.lineHeight;
    const dword lineWidth = TAP_Osd_GetW(*line, 0, fontSize) + m.margin;
    if (lineWidth > width) width = lineWidth;
    ++lines;
  }

  if (centreX) {
    if (width > SCREEN_WIDTH) width = SCREEN_WIDTH;
    x = (SCREEN_WIDTH - width) / 2;
  } else if (width > SCREEN_WIDTH - x) {
    width = SCREEN_WIDTH - x;
  }
  if (centreY) y = (SCREEN_HEIGHT - height) / 2;

  const dword border = m.margin / 4;
  const dword indent = align == 1 ? m.margin / 4 : m.margin / 2;
  // A window squeezed against the screen's right edge may be narrower than its frame:
  // the inner sizes stop at 0 instead of wrapping round.
  const dword innerWidth = width > 2 * border ? width - 2 * border : 0;
  const dword innerHeight = height > 2 * border ? height - 2 * border : 0;

  const word offScreen =
      static_cast<word>(TAP_Osd_Create(x, y, width, height, 0, OSD_FLAG_MEMORY) & 0xFFFF);
  if (!offScreen) return;
  TAP_Osd_FillBox(offScreen, 0, 0, width, height, borderColor);
  TAP_Osd_FillBox(offScreen, border, border, innerWidth, innerHeight, bgColor);
  dword top = 0;
  if (title) {
    TAP_Osd_PutS(offScreen, border, TEXT_TOP, width > border ? width - border : 0, title,
                 titleColor, bgColor, 0, fontSize, 0, 1);
    top = m.lineHeight;
  }
  for (dword k = 0; k < lines; ++k) {
    TAP_Osd_PutS(offScreen, indent, top + TEXT_TOP + k * m.lineHeight,
                 width > indent ? width - indent : 0, content[1 + k], lineColor, bgColor, 0,
                 fontSize, 0, align);
  }

  if (MessageWinRgn) TAP_Osd_Delete(static_cast<word>(MessageWinRgn));
  MessageWinRgn = TAP_Osd_Create(x, y, width, height, 0, 0);
  TAP_Osd_Copy(offScreen, static_cast<word>(MessageWinRgn), 0, 0, width, height, 0, 0, false);
  TAP_Osd_Delete(offScreen);
  TAP_Osd_Sync();

  if (delay) {
    TAP_Delay(delay);
    EndMessageWin();
  }
}
