#include <string.h>

#include "lib/menu/menu.h"

namespace {

void CopyText(char* destination, const char* source) {
  if (!source) source = "";
  strncpy(destination, source, MENU_ITEM_TEXT_SIZE - 1);
  destination[MENU_ITEM_TEXT_SIZE - 1] = '\0';
}

// Makes room for MENU_ITEM_GROWTH more items; false (array untouched) without memory.
bool Grow(tMenu& level) {
  // The byte count of the larger array must not wrap round on the 32-bit recorder.
  if (level.ItemCapacity > int(0x7FFFFFFF / sizeof(tItem)) - MENU_ITEM_GROWTH) return false;
  int capacity = level.ItemCapacity + MENU_ITEM_GROWTH;
  dword bytes = dword(capacity) * sizeof(tItem);
  auto* items = static_cast<tItem*>(TAP_MemAlloc(bytes));
  if (!items) return false;
  memset(items, 0, bytes);
  if (level.Items) {
    if (level.ItemCount > 0) memcpy(items, level.Items, size_t(level.ItemCount) * sizeof(tItem));
    TAP_MemFree(level.Items);
  }
  level.Items = items;
  level.ItemCapacity = capacity;
  return true;
}

}  // namespace

int OSDMenuItemAdd(const char* name, const char* value, const TYPE_GrData* nameIcon,
                   const TYPE_GrData* valueIcon, int selectable, int valueArrows, int id) {
  tMenu& level = Menu[CurrentMenuLevel];
  if (level.ItemCount >= level.ItemCapacity && !Grow(level)) return 0;
  if (!name || !name[0]) return 0;

  tItem& item = level.Items[level.ItemCount];
  CopyText(item.Name, name);
  CopyText(item.Value, value);
  item.NameIcon = nameIcon;
  item.ValueIcon = valueIcon;
  item.ColourBox = 0;
  item.NameColour = MENU_TEXT_COLOUR;
  item.ValueColour = MENU_TEXT_COLOUR;
  item.Selectable = selectable;
  item.ValueArrows = valueArrows;
  // A record reused after OSDMenuItemsClear must not keep an old owner's drawing hook.
  item.CustomDrawn = 0;
  item.ShowName = 1;
  item.ShowValue = 1;
  item.ID = id;
  item.Number = -1;
  if (valueArrows) level.ItemsHaveArrows = 1;

  level.ItemCount++;
  ListDirty = 1;
  return 1;
}
