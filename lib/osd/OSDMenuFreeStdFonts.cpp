#include "lib/osd/messagebox.h"

void OSDMenuFreeStdFonts(void) {
  // The fonts are shared: they stay while any element that draws with them is open.
  if (OSDRgn || ProgressBarOSDRgn || InfoBoxOSDRgn || MessageBoxOSDRgn || ColorPickerOSDRgn) return;
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    FMUC_FreeFontFile(slot.font);
}
