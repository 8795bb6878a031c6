#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDDrawMemo(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  TAP_Osd_Draw3dBoxFill(OSDRgn, level.AreaX, MENU_LIST_TOP, level.AreaWidth, 368, MENU_LIST_COLOUR,
                        MENU_LIST_COLOUR, MENU_LIST_COLOUR);
  int step = level.VisibleLines == 18 ? 20 : 24;
  for (int i = 0; i < level.VisibleLines; i++) {
    int k = level.TopIndex + i;
    if (k < 0 || k >= level.ItemCount) break;
    FMUC_PutStringAA(OSDRgn, level.AreaX + 16, 101 + i * step, level.AreaX + level.AreaWidth - 15,
                     level.Items[k].Name, MENU_TEXT_COLOUR, 0, level.MemoFont,
                     FMUC_FIT_ELLIPSIS_END, FMUC_ALIGN_LEFT, 1.0f);
  }
  if (level.Callback) level.Callback(MENUCALLBACK_List, OSDRgn);
}
