// The routing of host events to the on-screen toolkit, and the least of the info box, wait
// spinner and colour picker that the routing works with.
//
// OSDMenuEvent hands an event to the first open element, in the order info box, message
// box, colour picker, menu. A key the element uses is cleared in the caller's copy, so that
// the caller, which returns that value to the firmware, keeps the firmware from seeing it.
#ifndef SCRAPDECK_LIB_OSD_EVENT_H
#define SCRAPDECK_LIB_OSD_EVENT_H

#include "host/tap.h"

// The last key event the router saw and left to the caller; 0 when it took the key. Other
// events leave it alone.
extern dword LastUnprocessedOSDMenuKey;

// Hands one event to the open element. event and param1 point at the caller's event code
// and first parameter (the key code); param1 is set to 0 when the key is taken. param2 is
// not used. Either pointer may be null: the event is then ignored, except that the info
// box's timeout is still checked. True when an open element took the key event (used or
// passed on); false for every other event and when nothing is open.
bool OSDMenuEvent(word* event, dword* param1, dword* param2);

// The router's branches, one per element, each called only while its element is open and
// answering as OSDMenuEvent does.
bool OSDMenuInfoBoxEvent(word* event, dword* param1);
bool OSDMenuMessageBoxEvent(word* event, dword* param1);
bool OSDMenuColorPickerEvent(word* event, dword* param1);
bool OSDMenuListEvent(word* event, dword* param1);

// ---- Info box ----

// The tick after which an open info box closes by itself (compared wrap-safe).
extern dword InfoBoxTimeOut;

// ---- Wait spinner ----

enum : dword { WAITSPINNER_STEPS = 12 };
// The animation step the spinner shows, 0 to WAITSPINNER_STEPS - 1.
extern dword WaitSpinnerIndex;
// One animation step of an open spinner: the next step is drawn into WaitSpinnerRgn.
void OSDMenuWaitSpinnerIdle(void);

// ---- Colour picker ----

// Components of the colour being edited.
enum : dword { COLORPICKER_Red = 0, COLORPICKER_Green = 1, COLORPICKER_Blue = 2 };

extern dword ColorPickerColor;         // ARGB being edited
extern dword ColorPickerDefaultColor;  // what KEY_EXIT falls back to
extern dword CurrentColorSelected;     // COLORPICKER_*

// Draws the slider of one component (its value and the swatch of the whole colour) into
// ColorPickerOSDRgn, framed brightly when selected. Nothing for another component or while
// the picker is closed.
void OSDMenuColorPickerDrawCursor(dword component, bool selected);
// Closes the picker (ColorPickerOSDRgn becomes 0), syncs, gives the firmware its normal mode
// back when no other element is open and frees the fonts. ColorPickerColor keeps the
// colour. Nothing happens while the picker is closed.
void OSDMenuColorPickerDestroy(void);

#endif
