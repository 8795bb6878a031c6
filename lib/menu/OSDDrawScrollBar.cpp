#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDDrawScrollBar(void) {
  const tMenu& level = Menu[CurrentMenuLevel];
  bool memo = level.MenuType == MENUTYPE_Memo || level.MenuType == MENUTYPE_MemoHeldAtEnd;
  int x = level.AreaX + level.AreaWidth + 1;
  int y = MENU_SCROLLBAR_TOP;

  // The track is drawn for 10 lines; for smaller lines the list area is a few pixels
  // longer, and the track's end is moved down to meet it.
  int extra = 0;
  if (!memo && level.VisibleLines == 15) extra = 5;
  if (!memo && level.VisibleLines == 18) extra = 8;

  bool knob = level.ItemCount > level.VisibleLines;
  const TYPE_GrData& track = knob ? _ScrollBarVisible_Gd : _ScrollBarInvisible_Gd;
  TAP_Osd_PutGd(OSDRgn, x, y, &track, false);
  if (extra) {
    int stripY = track.height + 80;
    TAP_Osd_Copy(OSDRgn, OSDRgn, x, stripY, track.width, 16, x, stripY + extra, false);
  }
  if (!knob) return;

  int n = level.MenuType == MENUTYPE_MemoHeldAtEnd ? level.VisibleLines : 1;
  int positions = level.ItemCount - n;
  int selection = level.Selection < 0 ? 0 : level.Selection;
  if (selection > positions) selection = positions;
  int travel = track.height + extra - _ScrollBarKnob_Gd.height - 24;
  int knobY = positions > 0 ? 108 + selection * travel / positions : 108;
  TAP_Osd_PutGd(OSDRgn, x + 1, knobY, &_ScrollBarKnob_Gd, false);
}
