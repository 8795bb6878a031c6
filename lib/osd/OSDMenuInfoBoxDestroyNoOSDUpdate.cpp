#include "lib/osd/osd.h"

void OSDMenuInfoBoxDestroyNoOSDUpdate(void) {
  if (WaitSpinnerRgn) {
    TAP_Osd_Delete(WaitSpinnerRgn);
    WaitSpinnerRgn = 0;
  }
  if (InfoBoxOSDRgn) {
    TAP_Osd_Delete(InfoBoxOSDRgn);
    InfoBoxOSDRgn = 0;
    // The saved background is the info box's only while the info box is open; otherwise
    // it may belong to an open message box.
    OSDMenuRestoreSaveArea();
  }
  InfoBoxExitButton = 0;
  OSDMenuFreeStdFonts();
}
