// The message box: one fixed-size panel centred on the screen with a title, up to
// MESSAGEBOX_MAX_LINES text lines and a row of up to MESSAGEBOX_MAX_BUTTONS buttons. The
// caller prepares it, adds buttons, selects one and shows it; keys then go through the OSD
// event router (lib/osd/event.h), which moves the selection and closes the box.
#ifndef SCRAPDECK_LIB_OSD_MESSAGEBOX_H
#define SCRAPDECK_LIB_OSD_MESSAGEBOX_H

#include "host/tap.h"
#include "lib/osd/osd.h"

enum : dword {
  MESSAGEBOX_MAX_BUTTONS = 5,
  MESSAGEBOX_TEXT_SIZE = 256,  // each text field, terminator included
  MESSAGEBOX_MAX_LINES = 7,
  MESSAGEBOX_NO_BUTTON = 0xFFFFFFFF,  // CurrentButton after a close with KEY_EXIT
  // The text output draws at most this many bytes of a line.
  MESSAGEBOX_SHOWN_BYTES = 127,
  // A body line as shown: at most MESSAGEBOX_SHOWN_BYTES of text, an ellipsis and the NUL.
  MESSAGEBOX_LINE_SIZE = 132,
  // A line of the text in UTF-8: three bytes for each byte, a selection's bytes, the NUL.
  MESSAGEBOX_UTF8_SIZE = 3 * MESSAGEBOX_TEXT_SIZE + 8,
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

// The body's lines as the open box shows them. Fitting them measures every character of
// the text, so it is done once per box: by the drawing that opens the box, and by the
// first drawing after an initialisation (which clears Fitted); redraws reuse them.
struct tMessageBoxBody {
  bool Fitted;
  dword Count;                             // lines in Line
  const char* Line[MESSAGEBOX_MAX_LINES];  // into Text or Work
  char Text[MESSAGEBOX_TEXT_SIZE];         // the box's text, its separators replaced by NULs
  char Work[MESSAGEBOX_MAX_LINES][MESSAGEBOX_LINE_SIZE];  // lines made by wrapping
};
extern tMessageBoxBody MessageBoxBody;

// The box's region while it is open; 0 when it is closed.
extern word MessageBoxOSDRgn;
// Non-zero: Left on the first button selects the last, Right on the last the first.
// Cleared by initialisation.
extern dword MessageBoxAllowScrollOver;
// Non-zero: the router closes the box without syncing the OSD and without giving the
// firmware its normal mode back. Cleared by initialisation.
extern dword MessageBoxNoNormalMode;

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

// Cuts the box's text (changed in place) into the lines its body shows: the lines
// separated by '\r' or '\n' (at most MESSAGEBOX_MAX_LINES of them), each one wider than
// width pixels in the standard font of fontSize cut into pieces that are not, at a space
// where there is one; then at most maxLines of them, the last one ending in an ellipsis
// ("..." where the font has no such glyph) when the text needs more. A line that fits is
// left as it is: lines[i] then points into text, otherwise into work[i] (in UTF-8).
// Returns the number of lines.
dword OSDMenuMessageBoxFitText(char* text, dword maxLines, dword width, dword fontSize,
                               const char** lines, char (*work)[MESSAGEBOX_LINE_SIZE]);

// ---- The steps of fitting the body ----

// Cuts text (changed in place: each separator becomes a NUL) into its lines, each ended by
// '\r' or '\n'; a separator at the very end opens no line. At most MESSAGEBOX_MAX_LINES
// lines go into raw; *cut tells whether text follows the last of them. Returns the count.
dword OSDMenuMessageBoxSplitLines(char* text, char* raw[MESSAGEBOX_MAX_LINES], bool* cut);
// Whether a line is read on past a NUL (a two-byte text, or one that starts with the
// three-byte selection): such a line is never measured, cut or converted here, but left
// to the text output's own cut.
bool OSDMenuMessageBoxReadsOn(const char* line);
// line in UTF-8 into utf8 (MESSAGEBOX_UTF8_SIZE bytes), as the text output converts it.
void OSDMenuMessageBoxLineToUTF8(const char* line, char* utf8);
// The end of the longest piece of the UTF-8 text p that is at most width pixels wide and
// MESSAGEBOX_SHOWN_BYTES long (one character at least): at its last space when the text
// goes on past it and the piece has one. *next is where the next piece starts (past that
// space).
const char* OSDMenuMessageBoxPieceEnd(const char* p, dword width, dword fontSize,
                                      const char** next);
// Copies count bytes of from into a shown line (MESSAGEBOX_LINE_SIZE bytes), at most
// MESSAGEBOX_SHOWN_BYTES of them, and ends it.
void OSDMenuMessageBoxCopyLine(char* to, const char* from, dword count);
// Ends a shown line (UTF-8, MESSAGEBOX_LINE_SIZE bytes) in an ellipsis ("..." where the
// font has no such glyph) within width, taking characters and trailing spaces off first
// as needed.
void OSDMenuMessageBoxEllipsis(char* line, dword width, dword fontSize);

#endif
