#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDMenuSetLineHeight(int preset) {
  tMenu& level = Menu[CurrentMenuLevel];
  level.TitleFont = &OSDMenuFont_20;
  level.SubtitleFont = &OSDMenuFont_16;
  level.ButtonFont = &OSDMenuFont_12;

  FMUC_Font* listFont;
  switch (preset) {
    case 0:
      listFont = &OSDMenuFont_14;
      level.VisibleLines = level.MenuType == MENUTYPE_List ? 10 : 15;
      break;
    case 1:
      listFont = &OSDMenuFont_14;
      level.VisibleLines = 15;
      break;
    case 2:
      listFont = &OSDMenuFont_12;
      level.VisibleLines = 18;
      break;
    default:
      return;
  }
  level.NameFont = listFont;
  level.ValueFont = listFont;
  level.NumberFont = listFont;
  level.MemoFont = listFont;
  ListDirty = 1;

  if (level.MenuType == MENUTYPE_List || level.MenuType == MENUTYPE_FramedList)
    OSDDirty = 1;
  else
    OSDMemoFormatText();
}
