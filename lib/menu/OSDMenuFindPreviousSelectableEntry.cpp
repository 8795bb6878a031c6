#include "lib/menu/menu.h"

int OSDMenuFindPreviousSelectableEntry(int index) {
  const tMenu& level = Menu[CurrentMenuLevel];
  int count = level.ItemCount;
  if (!OSDMenuHasSelectableEntry()) return -1;

  if (index < 0 && !level.WrapAround) return -1;
  int i = index;
  // Every item is looked at once at most, so the wrapped search always ends.
  for (int step = 0; step <= count; step++) {
    i--;
    if (i < 0) {
      if (!level.WrapAround) return -1;
      i = count - 1;
    }
    if (i < count && level.Items[i].Selectable) return i;
  }
  return -1;
}
