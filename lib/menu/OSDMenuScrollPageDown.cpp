#include "lib/menu/menu.h"

int OSDMenuScrollPageDown(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  int n = level.VisibleLines;
  int s = level.Selection;
  int t = level.TopIndex;
  int c = level.ItemCount;
  int target;

  if (s == c - 1 && level.WrapAround) {
    target = OSDMenuFindNextSelectableEntry(-1);
  } else if (s == t + n - 1) {
    // On the last visible line: a page further, but not past the end.
    int k = s + n - 1;
    if (k >= c) k = c - 2;
    target = k < c - 1 ? OSDMenuFindNextSelectableEntry(k) : k;
  } else {
    // To the last visible line, or the first selectable line below it.
    int k = t + n - 2;
    if (k >= c) k = c - 2;
    target = OSDMenuFindNextSelectableEntry(k);
  }

  // Landing on the list's last line, which need not be selectable: the cursor stops on the
  // last selectable line instead, provided that is still a move down.
  if (target >= 0 && target < c && !level.Items[target].Selectable) {
    target = OSDMenuFindPreviousSelectableEntry(target);
    if (target <= s) target = -1;
  }

  if (target != -1) {
    level.Selection = target;
    ListDirty = 1;
  }
  return target;
}
