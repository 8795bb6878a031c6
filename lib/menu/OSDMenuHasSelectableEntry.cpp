#include "lib/menu/menu.h"

bool OSDMenuHasSelectableEntry(void) {
  const tMenu& level = Menu[CurrentMenuLevel];
  for (int i = 0; i < level.ItemCount; i++)
    if (level.Items[i].Selectable) return true;
  return false;
}
