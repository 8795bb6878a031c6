#include "lib/osd/messagebox.h"

namespace {

// Line heights of the firmware's text at its three sizes.
const dword kFirmwareLineHeights[] = {19, 22, 26};

}  // namespace

dword OSDMenuGetH(dword fontSize) {
  FMUC_Font* font = OSDMenuStdFont(fontSize);
  if (!font) return 0;
  if (font->FileHandle <= 0) return kFirmwareLineHeights[OSDMenuFirmwareFontSize(fontSize)];
  // Every glyph hangs from the line's top, so the tallest one is the line's height.
  // Only the definition table is read: no glyph's pixels are brought in.
  dword height = 0;
  for (int i = 0; i < font->GlyphCount; ++i)
    if (font->FontDef[i].Height > height) height = font->FontDef[i].Height;
  return height;
}
