#include "lib/osd/messagebox.h"

FMUC_Font* OSDMenuStdFont(dword fontSize) {
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    if (slot.fontSize == byte(fontSize)) return slot.font;
  return nullptr;
}
