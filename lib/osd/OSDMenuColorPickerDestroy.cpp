#include "lib/osd/event.h"
#include "lib/osd/messagebox.h"

void OSDMenuColorPickerDestroy(void) {
  if (!ColorPickerOSDRgn) return;
  TAP_Osd_Delete(ColorPickerOSDRgn);
  ColorPickerOSDRgn = 0;
  TAP_Osd_Sync();
  if (!OSDRgn && !InfoBoxOSDRgn && !ProgressBarOSDRgn && !MessageBoxOSDRgn) TAP_EnterNormal();
  OSDMenuFreeStdFonts();
}
