#include <string.h>

#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

namespace {

void CopyText(char* destination, const char* source) {
  if (!source) source = "";
  strncpy(destination, source, MENU_TEXT_SIZE - 1);
  destination[MENU_TEXT_SIZE - 1] = '\0';
}

}  // namespace

void OSDMenuInit(int option, int showValues, int showNumbers, int wrapAround, const char* title,
                 const char* subtitle) {
  tMenu& level = Menu[CurrentMenuLevel];
  // A level set up again gives its old array back rather than losing it.
  if (level.Items) TAP_MemFree(level.Items);
  memset(&level, 0, sizeof level);
  OSDMenuLoadStdFonts();

  level.AreaX = 60;
  level.AreaWidth = 600;
  level.VisibleLines = 10;
  level.ValueColumnX = 350;
  level.ValueIndent = 15;
  level.InitOption = option;
  level.ShowValues = showValues;
  level.ShowNumbers = showNumbers;
  level.WrapAround = wrapAround;

  dword bytes = MENU_ITEM_GROWTH * sizeof(tItem);
  level.Items = static_cast<tItem*>(TAP_MemAlloc(bytes));
  if (level.Items) {
    memset(level.Items, 0, bytes);
    level.ItemCapacity = MENU_ITEM_GROWTH;
  }

  OSDMenuSetLineHeight(0);
  CopyText(level.Title, title);
  CopyText(level.Subtitle, subtitle);
  MenuCursorType = MENUCURSOR_Blue;
}
