// The message box and the state it shares with the rest of the on-screen toolkit.
//
// The toolkit's elements (menu, info box, wait spinner, progress bar, colour picker and
// the message box) share a set of 16-bit region handles (0: the element is closed), one
// saved background and the seven standard fonts. There is one message box: a fixed-size
// panel centred on the screen with a title, up to MESSAGEBOX_MAX_LINES text lines and a
// row of up to MESSAGEBOX_MAX_BUTTONS buttons. The caller prepares it, adds buttons,
// selects one and shows it; keys then go through the OSD event router, which moves the
// selection and closes the box. All state is global and lives as long as the plug-in.
#ifndef SCRAPDECK_LIB_OSD_MESSAGEBOX_H
#define SCRAPDECK_LIB_OSD_MESSAGEBOX_H

#include "host/tap.h"
#include "lib/font/font.h"

enum : dword {
  MESSAGEBOX_MAX_BUTTONS = 5,
  MESSAGEBOX_TEXT_SIZE = 256,  // each text field, terminator included
  MESSAGEBOX_MAX_LINES = 7,
  MESSAGEBOX_NO_BUTTON = 0xFFFFFFFF,  // CurrentButton after a close with KEY_EXIT
  // A body line as shown: at most 127 bytes of text (all the text output draws), an
  // ellipsis and the NUL.
  MESSAGEBOX_LINE_SIZE = 132,
};

// The message box's contents. Every text field ends in a NUL at its last byte at the latest.
struct tMessageBox {
  dword NrButtons;      // buttons added since the last initialisation, 0 to 5
  dword CurrentButton;  // the selected button; MESSAGEBOX_NO_BUTTON after KEY_EXIT
  char Button[MESSAGEBOX_MAX_BUTTONS][MESSAGEBOX_TEXT_SIZE];
  char Title[MESSAGEBOX_TEXT_SIZE];
  char Text[MESSAGEBOX_TEXT_SIZE];  // lines separated by '\r' or '\n'
};
extern tMessageBox MessageBox;

// The box's region while it is open; 0 when it is closed.
extern word MessageBoxOSDRgn;
// Non-zero: Left on the first button selects the last, Right on the last the first.
// Cleared by initialisation.
extern dword MessageBoxAllowScrollOver;
// Non-zero: the router closes the box without syncing the OSD and without giving the
// firmware its normal mode back. Cleared by initialisation.
extern dword MessageBoxNoNormalMode;

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

// ---- Pictures compiled into the plug-in ----

// The 380 x 190 panel of the message box and the info box.
extern const unsigned char _InfoBox_Cpm[];
extern TYPE_GrData _InfoBox_Gd;
// The 100 x 25 green bar behind the selected button.
extern const unsigned char _MessageBoxSelectedButtonBackground_Cpm[];
extern TYPE_GrData _MessageBoxSelectedButtonBackground_Gd;

// ---- The message box ----

// Prepares a new box with a title and a text (both may be null: empty); closes an open
// info box and message box first and loads the standard fonts. Draws nothing.
void OSDMenuMessageBoxInitialize(const char* title, const char* text);
// Appends a button; a null label and a sixth button are ignored.
void OSDMenuMessageBoxButtonAdd(const char* label);
// Selects a button and redraws an open box; an index not below NrButtons is ignored.
void OSDMenuMessageBoxButtonSelect(dword index);
// Creates the box's region when it is not open yet and draws the whole box; nothing
// without buttons.
void OSDMenuMessageBoxShow(void);
// Closes the box, syncs the OSD, gives the firmware its normal mode back (when no other
// toolkit element is open) and frees the fonts.
void OSDMenuMessageBoxDestroy(void);
// Closes the box without syncing and without touching the normal mode.
void OSDMenuMessageBoxDestroyNoOSDUpdate(void);
bool OSDMenuMessageBoxIsVisible(void);
// The selected button; kept when the box closes (MESSAGEBOX_NO_BUTTON after KEY_EXIT).
dword OSDMenuMessageBoxLastButton(void);

// ---- Shared toolkit routines ----

// Cuts the box's text (changed in place) into the lines its body shows: the lines
// separated by '\r' or '\n' (at most MESSAGEBOX_MAX_LINES of them), each one wider than
// width pixels in the standard font of fontSize cut into pieces that are not, at a space
// where there is one; then at most maxLines of them, the last one ending in an ellipsis
// ("..." where the font has no such glyph) when the text needs more. A line that fits is
// left as it is: lines[i] then points into text, otherwise into work[i] (in UTF-8).
// Returns the number of lines.
dword OSDMenuMessageBoxFitText(char* text, dword maxLines, dword width, dword fontSize,
                               const char** lines, char (*work)[MESSAGEBOX_LINE_SIZE]);

// Draws text with a standard font picked by the low byte of fontSize: 10, 12, 14, 16,
// 18, 20, or 31 for the bold 20; any other value draws nothing. The text hangs 3 pixels
// above y (from row 0 when y is less than 3). Only the low bytes of fontSize,
// overflowMode and alignment count. While the font is not loaded, the firmware's own
// text (OSDMenuFirmwareFontSize) is drawn in its place: same row, colours and alignment.
void OSDMenuPutS(word region, dword x, dword y, dword maxX, const char* text, dword foreColor,
                 dword backColor, dword fontSize, dword overflowMode, dword alignment);
// The standard font of a size selector (low byte of fontSize, as OSDMenuPutS picks it);
// null for a selector without one.
FMUC_Font* OSDMenuStdFont(dword fontSize);
// The firmware's text size (0, 1 or 2) that stands in for a standard font's size.
byte OSDMenuFirmwareFontSize(dword fontSize);
// Width in pixels of a UTF-8 text as OSDMenuPutS would draw it uncut; 0 for a selector
// without a font.
dword OSDMenuGetW(const char* text, dword fontSize);
// Height in pixels of a line of OSDMenuPutS's text: the font's tallest glyph, or the
// firmware's line height while the font is not loaded; 0 for a selector without a font.
dword OSDMenuGetH(dword fontSize);

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

#endif
