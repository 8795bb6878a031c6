#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

namespace {

// Puts a picture at x, centred in the line that starts at lineTop; a sprite is laid over
// what the line shows by its alpha.
void PutCentred(const TYPE_GrData* picture, int x, int lineTop, int lineHeight,
                bool sprite = false) {
  TAP_Osd_PutGd(OSDRgn, x, lineTop + (lineHeight - picture->height) / 2, picture, sprite);
}

}  // namespace

void OSDDrawList(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  int h = OSDMenuLineHeight(level.VisibleLines);
  int textOffset = OSDMenuLineTextOffset(level.VisibleLines);
  int right = level.AreaX + level.AreaWidth;

  // Icon columns wide enough for the widest icon of the whole list, so that the columns
  // line up from page to page.
  int nameIconColumn = 0;
  int valueIconColumn = 0;
  bool anyValueColumn = false;
  for (int k = 0; k < level.ItemCount; k++) {
    const tItem& item = level.Items[k];
    if (item.NameIcon && item.NameIcon->width + 8 > nameIconColumn)
      nameIconColumn = item.NameIcon->width + 8;
    if (item.ValueIcon && item.ValueIcon->width > valueIconColumn)
      valueIconColumn = item.ValueIcon->width;
    if (item.ColourBox && valueIconColumn < 50) valueIconColumn = 50;
    if (item.ValueIcon || item.ColourBox) anyValueColumn = true;
  }
  if (anyValueColumn) valueIconColumn += 8;

  TAP_Osd_Draw3dBoxFill(OSDRgn, level.AreaX, MENU_LIST_TOP, level.AreaWidth,
                        level.VisibleLines * (h + 2) - 2, MENU_LIST_COLOUR, MENU_LIST_COLOUR,
                        MENU_LIST_COLOUR);

  word lineRgn = 0;
  for (int i = 0; i < level.VisibleLines; i++) {
    int m = MENU_LIST_TOP + i * (h + 2);
    int t = m + textOffset;
    TAP_Osd_DrawRectangle(OSDRgn, level.AreaX, m + h, level.AreaWidth, 2, 1,
                          MENU_BACKGROUND_COLOUR);

    int k = level.TopIndex + i;
    if (k < 0 || k >= level.ItemCount) continue;
    const tItem& item = level.Items[k];
    bool arrows = level.ShowValues && item.ValueArrows;

    if (k == level.Selection) {
      OSDMenuDrawCursor(level.AreaX, m, level.AreaWidth, h);
      if (arrows) {
        bool bright = MenuCursorType != MENUCURSOR_Blue;
        // The arrows are sprites: the cursor shows between their points.
        PutCentred(bright ? &_pfeil_l_bright_Gd : &_pfeil_l_Gd, level.ValueColumnX + 20, m, h,
                   true);
        PutCentred(bright ? &_pfeil_r_bright_Gd : &_pfeil_r_Gd, right - 20, m, h, true);
      }
    }

    int nameRight =
        level.ShowValues && (item.ValueArrows || item.Value[0]) ? level.ValueColumnX : right - 15;
    dword colour = item.Selectable ? item.ValueColour : MENU_UNSELECTABLE_COLOUR;

    int nameX = level.AreaX + 16;
    if (level.ShowNumbers) {
      int number = item.Number < 0 ? k + 1 : item.Number;
      // Three and four digit numbers push the name column right.
      int widen = number >= 1000 ? 20 : number >= 100 ? 10 : 0;
      char text[16];
      TAP_SPrint(text, "%2.2d", number);
      FMUC_PutStringAA(OSDRgn, level.AreaX + 11, t, 100 + widen, text, colour, 0, level.NumberFont,
                       FMUC_FIT_CUT, FMUC_ALIGN_LEFT, 1.0f);
      nameX = 101 + widen;
    }

    if (item.NameIcon) PutCentred(item.NameIcon, nameX, m, h);
    if (item.ShowName)
      FMUC_PutStringAA(OSDRgn, nameX + nameIconColumn, t, nameRight, item.Name,
                       item.Selectable ? item.NameColour : colour, 0, level.NameFont,
                       FMUC_FIT_ELLIPSIS_END, FMUC_ALIGN_LEFT, 1.0f);

    if (level.ShowValues) {
      int valueX = level.ValueColumnX + level.ValueIndent + 30;
      if (item.ShowValue)
        FMUC_PutStringAA(OSDRgn, valueX + valueIconColumn, t, right - 15, item.Value, colour, 0,
                         level.ValueFont, FMUC_FIT_ELLIPSIS_END, FMUC_ALIGN_LEFT, 1.0f);
      if (item.ColourBox) {
        int boxY = m + (h - 18) / 2 + 1;
        TAP_Osd_FillBox(OSDRgn, valueX, boxY, 50, 18, 0xFF000000 | (item.ColourBox & 0xFFFFFF));
        TAP_Osd_DrawRectangle(OSDRgn, valueX, boxY, 50, 18, 1, MENU_COLOUR_BOX_FRAME);
      } else if (item.ValueIcon) {
        PutCentred(item.ValueIcon, valueX, m, h);
      }
    }

    if (item.CustomDrawn && level.Callback) {
      // The callback draws into a copy of the line, which then goes back in place.
      if (!lineRgn) lineRgn = TAP_Osd_Create(0, 0, level.AreaWidth, h, 0, OSD_FLAG_MEMORY);
      if (lineRgn) {
        TAP_Osd_Copy(OSDRgn, lineRgn, level.AreaX, m, level.AreaWidth, h, 0, 0, false);
        level.Callback(dword(item.ID) * 256 + MENUCALLBACK_CustomLine, lineRgn);
        TAP_Osd_Copy(lineRgn, OSDRgn, 0, 0, level.AreaWidth, h, level.AreaX, m, false);
      }
    }
  }
  if (lineRgn) TAP_Osd_Delete(lineRgn);
  if (level.Callback) level.Callback(MENUCALLBACK_List, OSDRgn);
}
