#include "lib/menu/menu.h"

tMenu Menu[MENU_LEVELS];
int CurrentMenuLevel = 0;

int OSDDirty = 0;
int TitleDirty = 0;
int ButtonsDirty = 0;
int LogoDirty = 0;
int ListDirty = 0;

int MenuCursorType = MENUCURSOR_Blue;

word OSDMenuSelectionBarRgn = 0;
int OSDMenuLastCursor = MENUTILE_None;
