// The full-screen list menu of the on-screen toolkit: menu levels and their items,
// moving the selection, keeping it in view, memo pages, and the drawing of a level.
//
// All state is global and lives as long as the plug-in. Every operation works on the
// level Menu[CurrentMenuLevel]. A level owns its item array (reserved by OSDMenuInit,
// grown by OSDMenuItemAdd, released only when the level is initialised again); the
// pictures a level or item points at (icons, logo, buttons) and its MemoText stay the
// caller's and must outlive the level's use. The menu draws into OSDRgn (lib/osd).
#ifndef SCRAPDECK_LIB_MENU_MENU_H
#define SCRAPDECK_LIB_MENU_MENU_H

#include "host/tap.h"
#include "lib/font/font.h"

enum : int {
  MENU_LEVELS = 5,
  MENU_ITEM_GROWTH = 30,  // items reserved at initialisation and added at each growth
  MENU_ITEM_TEXT_SIZE = 128,
  MENU_TEXT_SIZE = 256,
  MENU_BUTTONS_MAX = 20,
  MENU_LIST_TOP = 96,        // y of the first list line
  MENU_SCROLLBAR_TOP = 96,   // y of the scroll bar track
  MENU_MEMO_MAX_WIDTH = 569  // a memo line is cut before it reaches this width
};

// The menu's colours.
enum : dword {
  MENU_BACKGROUND_COLOUR = 0xFF101010,  // screen, title and button bands, lines between items
  MENU_LIST_COLOUR = 0xFF1E1E1E,        // the list's and the memo's box
  MENU_FRAME_COLOUR = 0xFF808080,       // frame of a framed list, line over the buttons
  MENU_TITLE_COLOUR = 0xFFE6E6FA,
  MENU_SUBTITLE_COLOUR = 0xFF666666,
  MENU_TEXT_COLOUR = 0xFFFFFFFF,          // item names and values, memo lines
  MENU_UNSELECTABLE_COLOUR = 0xFF80808C,  // the value of an item the cursor skips
  MENU_COLOUR_BOX_FRAME = 0xFFC0C0C0,     // frame of an item's colour box
  MENU_CURSOR_FRAME_COLOUR = 0xFF5ACDEC,
};

// What a level shows.
enum : int {
  MENUTYPE_List = 0,
  MENUTYPE_FramedList = 1,
  MENUTYPE_Memo = 2,
  MENUTYPE_MemoHeldAtEnd = 3,  // a memo whose last page stays full
};

// Looks of the selection cursor (MenuCursorType).
enum : int {
  MENUCURSOR_Blue = 0,
  MENUCURSOR_BlueAndDark = 1,  // the dark tile over the blue one, 2 pixels in
  MENUCURSOR_Frame = 2,
  MENUCURSOR_None = 3,
};

// Codes the level's callback receives after drawing a part of the menu; a custom-drawn
// line gets ID * 256 + MENUCALLBACK_CustomLine.
enum : dword {
  MENUCALLBACK_Title = 0,
  MENUCALLBACK_List = 1,
  MENUCALLBACK_Buttons = 2,
  MENUCALLBACK_Logo = 3,
  MENUCALLBACK_CustomLine = 4,
};

// OSDMenuLastCursor: which cursor tile OSDMenuSelectionBarRgn holds.
enum : int { MENUTILE_Blue = 0, MENUTILE_Dark = 1, MENUTILE_None = 2 };

struct tItem {
  char Name[MENU_ITEM_TEXT_SIZE];   // never empty
  char Value[MENU_ITEM_TEXT_SIZE];  // value column text, may be empty
  const TYPE_GrData* NameIcon;      // may be null
  const TYPE_GrData* ValueIcon;     // may be null
  dword ColourBox;                  // non-zero: a swatch of this colour in the value column
  dword NameColour;
  dword ValueColour;  // value and number colour of a selectable item
  int Selectable;
  int ValueArrows;
  int CustomDrawn;  // with a callback: the callback draws the line
  int ShowName;
  int ShowValue;
  int ID;
  int Number;  // shown with ShowNumbers; -1 shows the line's position
};

struct tButton {
  int X;
  int Y;
  const TYPE_GrData* Icon;
  dword TextColour;
  char Text[MENU_TEXT_SIZE];
};

typedef void (*tMenuCallback)(dword event, word region);

struct tMenu {
  int AreaX;
  int AreaWidth;
  int VisibleLines;
  tItem* Items;  // ItemCapacity records, owned by the level
  int ItemCount;
  int ItemCapacity;
  int Selection;
  int TopIndex;
  int InitOption;
  int ShowValues;
  int ValueColumnX;
  int ValueIndent;
  int WrapAround;
  int ShowNumbers;
  int ItemsHaveArrows;
  tButton Buttons[MENU_BUTTONS_MAX];
  dword ButtonCount;
  char Title[MENU_TEXT_SIZE];
  char Subtitle[MENU_TEXT_SIZE];
  int LogoX;
  int LogoY;
  const TYPE_GrData* Logo;
  int OldLogoX;
  int OldLogoY;
  int OldLogoWidth;
  int OldLogoHeight;
  const char* MemoText;
  int MenuType;
  FMUC_Font* TitleFont;
  FMUC_Font* SubtitleFont;
  FMUC_Font* NumberFont;
  FMUC_Font* NameFont;
  FMUC_Font* ValueFont;
  FMUC_Font* ButtonFont;
  FMUC_Font* MemoFont;
  tMenuCallback Callback;
  int PassLeftRight;  // non-zero: KEY_LEFT and KEY_RIGHT go to the caller instead of paging
};

extern tMenu Menu[MENU_LEVELS];
extern int CurrentMenuLevel;

// What the next OSDMenuUpdate redraws; 0 or 1.
extern int OSDDirty;
extern int TitleDirty;
extern int ButtonsDirty;
extern int LogoDirty;
extern int ListDirty;

extern int MenuCursorType;

// A memory-only region holding one cursor tile, 0 while none; OSDMenuLastCursor says which
// tile it holds (MENUTILE_*).
extern word OSDMenuSelectionBarRgn;
extern int OSDMenuLastCursor;

// ---- Model and navigation ----

// Sets up the current level as an empty list with the given options; the title and
// subtitle are copied (null: empty). Loads the standard fonts. An item array the level
// held before is released. When the array cannot be reserved the level starts with room
// for none, and the first OSDMenuItemAdd tries again.
void OSDMenuInit(int option, int showValues, int showNumbers, int wrapAround, const char* title,
                 const char* subtitle);
// Appends an item; 1 when added, 0 for a null or empty name or when the array must grow
// and no memory is left (the items stay as they were).
int OSDMenuItemAdd(const char* name, const char* value, const TYPE_GrData* nameIcon,
                   const TYPE_GrData* valueIcon, int selectable, int valueArrows, int id);
// Empties the list; the array keeps its room.
void OSDMenuItemsClear(void);

// Move the selection; the new selection, or -1 when it did not move.
int OSDMenuScrollUp(void);
int OSDMenuScrollDown(void);
int OSDMenuScrollPageUp(void);
int OSDMenuScrollPageDown(void);

// The first selectable item after (before) index, continuing at the other end of the list
// when the level wraps around; -1 when there is none. Without wrapping, the search after
// the last item answers index itself.
int OSDMenuFindNextSelectableEntry(int index);
int OSDMenuFindPreviousSelectableEntry(int index);
// Whether the current level has an item the cursor can stand on.
bool OSDMenuHasSelectableEntry(void);

// Moves TopIndex so that the selection is on screen, with the unselectable lines next to
// it when there is room.
void OSDCalcIndices(void);

// Picks the fonts and the number of visible lines: 0 (10 lines for a list, 15 for a memo),
// 1 (15 lines), 2 (18 lines, smaller font); other presets change nothing.
void OSDMenuSetLineHeight(int preset);

// Rebuilds the items from MemoText, word-wrapped to MENU_MEMO_MAX_WIDTH pixels of the memo
// font; nothing while MemoText is null.
void OSDMemoFormatText(void);

// ---- Drawing ----

// Redraws what the dirty flags ask for, creating the full-screen region on first use;
// unless noSync is non-zero, ends with TAP_Osd_Sync.
void OSDMenuUpdate(int noSync);

void OSDDrawBackground(void);
void OSDDrawTitle(void);
void OSDDrawButtons(void);
void OSDDrawLogo(void);
void OSDDrawScrollBar(void);
void OSDDrawList(void);
void OSDDrawMemo(void);

// Draws the selection cursor over one line of the menu region, as MenuCursorType says.
void OSDMenuDrawCursor(dword x, dword y, dword width, dword height);

// Line height and text offset of a list line for a number of visible lines.
int OSDMenuLineHeight(int visibleLines);
int OSDMenuLineTextOffset(int visibleLines);

// ---- Pictures compiled into the plug-in ----

extern TYPE_GrData _Cursor_Blue_Normal_Gd;  // 100 x 35, for 10 lines
extern TYPE_GrData _Cursor_Dark_Normal_Gd;
extern TYPE_GrData _Cursor_Blue_Small_Gd;  // 100 x 23, for 15 lines
extern TYPE_GrData _Cursor_Dark_Small_Gd;
extern TYPE_GrData _Cursor_Blue_Tiny_Gd;  // 100 x 19, for 18 lines
extern TYPE_GrData _Cursor_Dark_Tiny_Gd;
extern TYPE_GrData _ScrollBarVisible_Gd;  // 16 x 368 track with room for the knob
extern TYPE_GrData _ScrollBarInvisible_Gd;
extern TYPE_GrData _ScrollBarKnob_Gd;  // 14 x 20
extern TYPE_GrData _pfeil_l_Gd;        // 10 x 15 value arrows
extern TYPE_GrData _pfeil_l_bright_Gd;
extern TYPE_GrData _pfeil_r_Gd;
extern TYPE_GrData _pfeil_r_bright_Gd;
extern TYPE_GrData _Button_exit_Gd;  // button bar icon

// Puts this folder's module state back as it is when the plug-in starts. Frees nothing:
// for a host that has already taken back the plug-in's memory, regions and files.
void ResetMenuState(void);

#endif
