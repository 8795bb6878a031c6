#include "lib/menu/menu.h"

int OSDMenuScrollDown(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  int target = OSDMenuFindNextSelectableEntry(level.Selection);
  if (target != -1) {
    level.Selection = target;
    ListDirty = 1;
  }
  return target;
}
