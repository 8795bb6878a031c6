// Region handles of the toolkit's elements; 0 while an element is closed.
#include "lib/osd/osd.h"

word OSDRgn = 0;
word InfoBoxOSDRgn = 0;
word WaitSpinnerRgn = 0;
word ProgressBarOSDRgn = 0;
word ColorPickerOSDRgn = 0;
word MyOSDRgn = 0;
dword InfoBoxExitButton = 0;
