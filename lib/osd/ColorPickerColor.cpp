// The colour picker's state.
#include "lib/osd/event.h"

dword ColorPickerColor = 0;
dword ColorPickerDefaultColor = 0;
dword CurrentColorSelected = COLORPICKER_Red;
