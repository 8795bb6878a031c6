#include "lib/font/font.h"

void FMUC_DrawGlyphs(dword* pixels, int boxWidth, int boxHeight, const FMUC_Glyph* const* glyphs,
                     int count, dword foreColor, bool solidBack, float blendFactor) {
  if (!pixels || !glyphs || boxWidth <= 0 || boxHeight <= 0) return;
  const dword alpha = foreColor & 0xFF000000;
  const bool unscaled = blendFactor == 1.0f;
  // One channel (at shift) of a partial coverage a of the fore colour over back, unscaled.
  auto mix = [foreColor](dword a, dword back, int shift) -> dword {
    const dword f = (foreColor >> shift) & 0xFF;
    const dword b = (back >> shift) & 0xFF;
    return (((255 - a) * b + a * f) >> 8) << shift;
  };
  // Neighbouring pixels of a stroke over a plain background often repeat a coverage
  // and background: the last blend is kept. Coverage 0 never reaches the blend, so
  // the memo starts empty.
  dword memoCoverage = 0;
  dword memoBack = 0;
  dword memoResult = 0;

  int pen = 0;
  int centre = 0;  // of the last glyph that advanced the pen
  for (int g = 0; g < count; ++g) {
    const FMUC_Glyph* glyph = glyphs[g];
    const int width = glyph->Width;
    const bool mark = FMUC_IsDiacriticalMark(glyph->CodePoint);
    // A mark is centred over the glyph before it and leaves the pen where it is.
    const int left = mark ? centre - width / 2 : pen;

    // Columns and rows that fall outside the box are left out.
    const int firstColumn = left < 0 ? -left : 0;
    const int endColumn = left + width > boxWidth ? boxWidth - left : width;
    // A glyph wholly left or right of the box has no row to draw.
    const int rows = firstColumn >= endColumn    ? 0
                     : glyph->Height < boxHeight ? glyph->Height
                                                 : boxHeight;
    for (int r = 0; r < rows; ++r) {
      // Walked with pointers: most of a glyph's box is empty, so the step past a
      // pixel without coverage is the loop's common case and must stay short.
      const byte* coverage = glyph->GlyphData + r * width + firstColumn;
      const byte* const rowEnd = glyph->GlyphData + r * width + endColumn;
      dword* pixel = pixels + r * boxWidth + left + firstColumn;
      for (; coverage < rowEnd; ++coverage, ++pixel) {
        const dword a = *coverage;
        if (a == 0) continue;
        if (a == 255) {
          *pixel = foreColor;
        } else if (solidBack) {
          *pixel = alpha | (static_cast<dword>(AlphaLUT[a][0]) << 16) |
                   (static_cast<dword>(AlphaLUT[a][1]) << 8) | AlphaLUT[a][2];
        } else {
          if (a != memoCoverage || *pixel != memoBack) {
            memoCoverage = a;
            memoBack = *pixel;
            // Unscaled text (nearly all of it) blends its channels in place: the same
            // sums as FM_AlphaBlend without three calls and a float test per pixel.
            memoResult =
                alpha | (unscaled ? mix(a, memoBack, 16) | mix(a, memoBack, 8) | mix(a, memoBack, 0)
                                  : FM_AlphaBlendRGB(static_cast<byte>(a), foreColor, memoBack,
                                                     blendFactor));
          }
          *pixel = memoResult;
        }
      }
    }

    if (!mark) {
      centre = pen + width / 2;
      pen += width;
    }
  }
}
