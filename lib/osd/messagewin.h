// The message window: a plain notice drawn with the firmware's own text output, so that
// it works when no font file can be loaded (the font loader shows its complaint with it).
// The window is composed in a memory-only region, then copied into one visible region; a
// new window replaces the one up, so there is never more than one.
#ifndef SCRAPDECK_LIB_OSD_MESSAGEWIN_H
#define SCRAPDECK_LIB_OSD_MESSAGEWIN_H

#include "host/tap.h"

// Handle of the visible window's region (only the low 16 bits go to the host); 0
// while no window is up.
extern dword MessageWinRgn;

// Shows title (may be null) over line1 and line2 (line2 may be null) centred on the
// screen in the toolkit's notice colours, with the firmware's largest text. With a
// non-zero delay (in ticks) the plug-in waits that long and closes the window; with 0
// the window stays until EndMessageWin.
void ShowMessageWin(const char* title, const char* line1, const char* line2, dword delay);

// Shows content[0] as the title (null for none) and content[1], content[2], ... as
// lines up to a null pointer, as many as fit above the screen's bottom. The window
// sizes itself to its texts; x and y place its top left corner, x SCREEN_WIDTH or more
// and y SCREEN_HEIGHT or more centre it on that axis. align goes to the firmware's text output for
// the lines (0 left, 1 centred, 2 right); the title is always centred. The content
// array is only read. delay as for ShowMessageWin.
void ShowMessageWindow(const char* const* content, dword x, dword y, byte fontSize, byte align,
                       dword borderColor, dword titleColor, dword lineColor, dword bgColor,
                       dword delay);

// Closes the window if one is up; syncs the display in any case.
void EndMessageWin(void);

#endif
