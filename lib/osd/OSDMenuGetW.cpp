#include "lib/osd/messagebox.h"

dword OSDMenuGetW(const char* text, dword fontSize) {
  FMUC_Font* font = OSDMenuStdFont(fontSize);
  if (!text || !font) return 0;
  if (font->FileHandle > 0) {
    const int width = FMUC_GetStringWidth(text, font);
    return width > 0 ? dword(width) : 0;
  }
  return TAP_Osd_GetW(text, 0, OSDMenuFirmwareFontSize(fontSize));
}
