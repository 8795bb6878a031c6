#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDMenuUpdate(int noSync) {
  const tMenu& level = Menu[CurrentMenuLevel];
  if (!OSDRgn) {
    OSDDirty = 1;
    OSDRgn = TAP_Osd_Create(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0);
    TAP_ExitNormal();
  }

  if (OSDDirty) {
    OSDDrawBackground();
    OSDDirty = 0;
    LogoDirty = 1;
    TitleDirty = 1;
    ListDirty = 1;
    ButtonsDirty = 1;
    // The new background lies over everything, the cached tile region included.
    OSDMenuLastCursor = MENUTILE_None;
  }
  if (TitleDirty) {
    OSDDrawTitle();
    TitleDirty = 0;
  }
  if (ButtonsDirty) {
    OSDDrawButtons();
    ButtonsDirty = 0;
    LogoDirty = 1;
  }
  if (LogoDirty) {
    OSDDrawLogo();
    LogoDirty = 0;
  }

  OSDCalcIndices();
  if (ListDirty) {
    OSDDrawScrollBar();
    if (level.MenuType == MENUTYPE_Memo || level.MenuType == MENUTYPE_MemoHeldAtEnd)
      OSDDrawMemo();
    else
      OSDDrawList();
    ListDirty = 0;
  }

  if (!noSync) TAP_Osd_Sync();
}
