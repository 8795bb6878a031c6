#include "lib/osd/osd.h"

void OSDMenuLoadStdFonts(void) {
  // Only empty slots are loaded: a loaded font is kept, and a font whose file failed to
  // open keeps its negative handle, so its message is not shown again until the free.
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    if (slot.font->FileHandle == 0) FMUC_LoadFontFile(slot.fileName, slot.font);
}
