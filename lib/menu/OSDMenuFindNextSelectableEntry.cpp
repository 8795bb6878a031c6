#include "lib/menu/menu.h"

int OSDMenuFindNextSelectableEntry(int index) {
  const tMenu& level = Menu[CurrentMenuLevel];
  int count = level.ItemCount;
  if (!OSDMenuHasSelectableEntry()) return -1;

  if (index >= count - 1 && !level.WrapAround) return index;
  int i = index;
  // Every item is looked at once at most, so the wrapped search always ends.
  for (int step = 0; step <= count; step++) {
    i++;
    if (i >= count) {
      if (!level.WrapAround) return -1;
      i = 0;
    }
    if (i >= 0 && level.Items[i].Selectable) return i;
  }
  return -1;
}
