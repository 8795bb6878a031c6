#include "lib/menu/menu.h"

void OSDCalcIndices(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  int n = level.VisibleLines;
  int c = level.ItemCount;
  int s = level.Selection;

  if (level.MenuType == MENUTYPE_Memo || level.MenuType == MENUTYPE_MemoHeldAtEnd) {
    // A memo scrolls by whole lines: the selection is the first line shown.
    if (level.MenuType == MENUTYPE_MemoHeldAtEnd && c - s < n) {
      s = c - n < 0 ? 0 : c - n;
      level.Selection = s;
    }
    level.TopIndex = s;
    return;
  }

  if (s < level.TopIndex) {
    bool selectableAbove = false;
    for (int i = 0; i < s && i < c; i++)
      if (level.Items[i].Selectable) selectableAbove = true;
    if (s < 1 || selectableAbove) {
      level.TopIndex = s;
    } else {
      // Only unselectable lines above: show as many of them as the page holds with the
      // selection still on it.
      level.TopIndex = s - n + 1 > 0 ? s - n + 1 : 0;
    }
  }

  if (s > level.TopIndex + n - 1) {
    bool selectableBelow = false;
    for (int i = s + 1; i < c; i++)
      if (level.Items[i].Selectable) selectableBelow = true;
    if (s >= c - 1 || selectableBelow) {
      level.TopIndex = s - n + 1;
    } else {
      // Only unselectable lines below: bring them into view, but never past the selection.
      level.TopIndex = c - n < s ? c - n : s;
    }
  }
}
