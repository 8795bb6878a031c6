#include "lib/osd/messagebox.h"

void OSDMenuMessageBoxDestroy(void) {
  if (MessageBoxOSDRgn) {
    OSDMenuMessageBoxDestroyNoOSDUpdate();
    TAP_Osd_Sync();
  }
  // The firmware gets its normal mode back even when the box was already closed, unless
  // another element still owns the screen.
  if (!OSDRgn && !InfoBoxOSDRgn && !ProgressBarOSDRgn && !ColorPickerOSDRgn) TAP_EnterNormal();
  OSDMenuFreeStdFonts();
}
