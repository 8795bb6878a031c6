#include "lib/menu/menu.h"

int OSDMenuScrollUp(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  int target = OSDMenuFindPreviousSelectableEntry(level.Selection);
  if (target != -1) {
    level.Selection = target;
    ListDirty = 1;
  }
  return target;
}
