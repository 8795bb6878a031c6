#include "lib/menu/menu.h"

void ResetMenuState(void) {
  for (tMenu& level : Menu)
    level = tMenu{};
  CurrentMenuLevel = 0;
  OSDDirty = TitleDirty = ButtonsDirty = LogoDirty = ListDirty = 0;
  MenuCursorType = MENUCURSOR_Blue;
  OSDMenuSelectionBarRgn = 0;
  OSDMenuLastCursor = MENUTILE_None;
}
