#include "lib/font/font.h"

void FMUC_DrawGlyphs(dword* pixels, int boxWidth, int boxHeight, const char* text, FMUC_Font* font,
                     dword foreColor, bool solidBack, float blendFactor) {
  if (!pixels || !text || boxWidth <= 0 || boxHeight <= 0) return;
  const dword alpha = foreColor & 0xFF000000;
  // Neighbouring pixels of a stroke over a plain background often repeat a coverage
  // and background: the last blend is kept. Coverage 0 never reaches the blend, so
  // the memo starts empty.
  dword memoCoverage = 0;
  dword memoBack = 0;
  dword memoResult = 0;

  int pen = 0;
  int centre = 0;  // of the last glyph that advanced the pen
  byte length = 1;
  for (const char* p = text; *p; p += length) {
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(font, p, &length);
    if (!glyph) continue;
    const int width = glyph->Width;
    const bool mark = FMUC_IsDiacriticalMark(glyph->CodePoint);
    // A mark is centred over the glyph before it and leaves the pen where it is.
    const int left = mark ? centre - width / 2 : pen;

    // Columns and rows that fall outside the box are left out.
    const int firstColumn = left < 0 ? -left : 0;
    const int endColumn = left + width > boxWidth ? boxWidth - left : width;
    const int rows = glyph->Height < boxHeight ? glyph->Height : boxHeight;
    for (int r = 0; r < rows; ++r) {
      const byte* coverage = glyph->GlyphData + r * width;
      dword* row = pixels + r * boxWidth;
      for (int c = firstColumn; c < endColumn; ++c) {
        const dword a = coverage[c];
        if (a == 0) continue;
        dword& pixel = row[left + c];
        if (a == 255) {
          pixel = foreColor;
        } else if (solidBack) {
          pixel = alpha | (static_cast<dword>(AlphaLUT[a][0]) << 16) |
                  (static_cast<dword>(AlphaLUT[a][1]) << 8) | AlphaLUT[a][2];
        } else {
          if (a != memoCoverage || pixel != memoBack) {
            memoCoverage = a;
            memoBack = pixel;
            memoResult =
                alpha | FM_AlphaBlendRGB(static_cast<byte>(a), foreColor, pixel, blendFactor);
          }
          pixel = memoResult;
        }
      }
    }

    if (!mark) {
      centre = pen + width / 2;
      pen += width;
    }
  }
}
