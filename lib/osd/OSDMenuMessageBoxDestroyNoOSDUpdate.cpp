#include "lib/osd/messagebox.h"

void OSDMenuMessageBoxDestroyNoOSDUpdate(void) {
  // The box's contents stay, so that the last button can still be asked for.
  if (MessageBoxOSDRgn) {
    TAP_Osd_Delete(MessageBoxOSDRgn);
    MessageBoxOSDRgn = 0;
    OSDMenuRestoreSaveArea();
  }
  OSDMenuFreeStdFonts();
}
