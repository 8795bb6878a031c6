#include "lib/menu/menu.h"

void OSDMenuItemsClear(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  level.ItemCount = 0;
  level.Selection = 0;
  level.TopIndex = 0;
  ListDirty = 1;
}
