#include "lib/menu/menu.h"

int OSDMenuScrollPageUp(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  int n = level.VisibleLines;
  int s = level.Selection;
  int t = level.TopIndex;
  int target;

  if (s == 0 && level.WrapAround) {
    target = OSDMenuFindPreviousSelectableEntry(level.ItemCount);
  } else if (s == t) {
    // On the first visible line: a page further up, but not past the start.
    target = OSDMenuFindPreviousSelectableEntry(s - n < 0 ? 1 : s - n + 1);
  } else {
    // To the first visible line, or the nearest selectable line above it.
    target = OSDMenuFindPreviousSelectableEntry(t + 1);
  }

  if (target != -1) {
    level.Selection = target;
    ListDirty = 1;
  }
  return target;
}
