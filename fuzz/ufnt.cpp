// UFNT font files on arbitrary bytes: the font is loaded, a text from the input is
// measured and drawn into a region, and the font is freed again.
#include <string.h>

#include "fuzz/fuzz.h"
#include "lib/font/font.h"
#include "stand/stand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // font file #|# text #|# drawing choices (x, maxX, y, overflow mode, alignment, back alpha)
  std::vector<std::string> f = fuzz::Split(data, size, 3);
  fuzz::BeginInput();
  stand::WriteFile(FMUC_FONT_FOLDER "Fuzz.ufnt", f[0]);
  std::vector<char> text = fuzz::Encoded(f[1], nullptr);
  const std::string& how = f[2];

  FMUC_Font font{};
  const int loaded = FMUC_LoadFontFile("Fuzz.ufnt", &font);
  fuzz::Check(loaded == 0 || (font.FileHandle > 0 && font.FontDef && font.GlyphCache),
              "a loaded font has its table and cache");
  const word region = TAP_Osd_Create(0, 0, 160, 48, 0, 0);

  const int width = FMUC_GetStringWidth(text.data(), &font);
  const dword height = FMUC_GetStringHeight(text.data(), &font);
  fuzz::Check(width >= 0, "a text is never narrower than nothing");
  if (!loaded) fuzz::Check(width == 0 && height == 0, "an unloaded font measures nothing");

  const dword x = fuzz::Number(how, 0, 1);
  const dword maxX = fuzz::Number(how, 1, 1);
  const dword y = fuzz::Number(how, 2, 1) % 64;
  const byte mode = static_cast<byte>(fuzz::Number(how, 3, 1) % 5);
  const byte align = static_cast<byte>(fuzz::Number(how, 4, 1) % 4);
  const dword back = (fuzz::Number(how, 5, 1) & 1) ? 0xFF102030 : 0;
  FMUC_PutStringAA(region, x, y, maxX, text.data(), 0xFFFFFFFF, back, &font, mode, align, 1.0f);
  // Glyphs cached while drawing are found again without reading.
  FMUC_GetStringWidth(text.data(), &font);

  FMUC_FreeFontFile(&font);
  static const FMUC_Font zero{};
  fuzz::Check(memcmp(&font, &zero, sizeof font) == 0, "a freed font is zeroed");
  TAP_Osd_Delete(region);
  fuzz::Check(fuzz::LiveBlocks() == 0, "a freed font keeps no memory");
  return 0;
}
