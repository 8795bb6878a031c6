// The state and routines shared by the on-screen toolkit's elements.
//
// The toolkit's elements (menu, info box, wait spinner, progress bar, colour picker and
// the message box) share a set of 16-bit region handles (0: the element is closed), one
// saved background and the seven standard fonts. All state is global and lives as long
// as the plug-in.
#ifndef SCRAPDECK_LIB_OSD_OSD_H
#define SCRAPDECK_LIB_OSD_OSD_H

#include "host/tap.h"
#include "lib/font/font.h"

// ---- Shared toolkit state ----

// Region handles of the toolkit's elements, 0 while the element is closed. MyOSDRgn is a
// region of the toolkit's caller over which the toolkit draws.
extern word OSDRgn;  // menu
extern word InfoBoxOSDRgn;
extern word WaitSpinnerRgn;
extern word ProgressBarOSDRgn;
extern word ColorPickerOSDRgn;
extern word MyOSDRgn;

// Non-zero while the open info box shows its exit button.
extern dword InfoBoxExitButton;

// The background saved under a box drawn over the menu or MyOSDRgn: a block from
// TAP_Osd_SaveBox that the toolkit owns and frees with TAP_MemFree, null when nothing is
// saved; and the screen position it was taken from.
extern byte* InfoBoxSaveArea;
extern int InfoBoxSaveAreaX;
extern int InfoBoxSaveAreaY;

// The standard fonts, loaded by OSDMenuLoadStdFonts and freed by OSDMenuFreeStdFonts. A
// slot's FileHandle is 0 while its font is not loaded (negative after a failed open).
extern FMUC_Font OSDMenuFont_10;
extern FMUC_Font OSDMenuFont_12;
extern FMUC_Font OSDMenuFont_14;
extern FMUC_Font OSDMenuFont_16;
extern FMUC_Font OSDMenuFont_18;
extern FMUC_Font OSDMenuFont_20;
extern FMUC_Font OSDMenuFont_20B;

// Each standard font with its file name and the size selector that OSDMenuPutS picks it by,
// in the order in which they are loaded and freed.
struct tOSDMenuStdFont {
  FMUC_Font* font;
  const char* fileName;
  byte fontSize;
};
enum : dword { OSDMENU_STD_FONTS = 7 };
extern const tOSDMenuStdFont OSDMenuStdFonts[OSDMENU_STD_FONTS];
// The standard fonts' file names in that order, in FMUC_FONT_DIRECTORY.
inline constexpr const char* OSDMENU_STD_FONT_FILES[OSDMENU_STD_FONTS] = {
    "Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_14.ufnt",  "Calibri_16.ufnt",
    "Calibri_18.ufnt", "Calibri_20.ufnt", "Calibri_20B.ufnt",
};

// ---- Pictures compiled into the plug-in ----

// The 380 x 190 panel of the message box and the info box.
extern const unsigned char _InfoBox_Cpm[];
extern TYPE_GrData _InfoBox_Gd;
// The 100 x 25 green bar behind the selected button.
extern const unsigned char _MessageBoxSelectedButtonBackground_Cpm[];
extern TYPE_GrData _MessageBoxSelectedButtonBackground_Gd;

// ---- Shared toolkit routines ----

// Draws text with a standard font picked by the low byte of fontSize: 10, 12, 14, 16,
// 18, 20, or 31 for the bold 20; any other value draws nothing. The text hangs 3 pixels
// above y (from row 0 when y is less than 3). Only the low bytes of fontSize,
// overflowMode and alignment count.
void OSDMenuPutS(word region, dword x, dword y, dword maxX, const char* text, dword foreColor,
                 dword backColor, dword fontSize, dword overflowMode, dword alignment);

// Loads every standard font not loaded yet (nor failed since the last free).
void OSDMenuLoadStdFonts(void);
// Frees the standard fonts unless a toolkit element is still open.
void OSDMenuFreeStdFonts(void);

// Closes an open info box, syncs, gives back the normal mode when no other element is
// open, and frees the fonts.
void OSDMenuInfoBoxDestroy(void);
// Closes an open info box (and its wait spinner) without syncing.
void OSDMenuInfoBoxDestroyNoOSDUpdate(void);

// Puts the saved background back under a closing box (onto MyOSDRgn or the menu's region)
// and frees it; clears MyOSDRgn. Does nothing when nothing is saved.
void OSDMenuRestoreSaveArea(void);

// Width in pixels of a region, from the firmware's region map; 0 when the map is not
// available.
dword GetOSDRegionWidth(word region);

// Puts this folder's module state back as it is when the plug-in starts. Frees nothing:
// for a host that has already taken back the plug-in's memory, regions and files.
void ResetOsdState(void);

#endif
