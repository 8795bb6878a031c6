#include <stdint.h>

#include "lib/font/font.h"

// The recorder's processor is a 32-bit one: everything here works in 32-bit words
// (no 64-bit lanes, no eight-byte reads, no count of trailing zeros, each of which
// costs it a library call or several instructions per use). The ink table the glyph
// cache keeps for each glyph (FMUC_GlyphInk) says which stretch of which row holds
// covered bytes, so the empty rows and columns of a glyph's box are never read.

FMUC_BlendTable FMUC_BlendTables[FMUC_BLEND_TABLES];
dword FMUC_NextBlendTable;

namespace {

// How partial coverages are worked out in one drawing.
enum Mode {
  FROM_LUT,     // solid background: AlphaLUT, whatever lies beneath
  OVER_SCREEN,  // unscaled over the screen: blended with each pixel beneath
  SCALED,       // scaled over the screen: FM_AlphaBlendRGB for each pixel
};

// The pixel of every coverage 1 to 255 of one fore colour over one background: with a
// solid background AlphaLUT's results, over the screen the blends over the box's first
// pixel, which text over the screen nearly always shares with most of the pixels
// beneath it. A few tables are kept from drawing to drawing: a box is drawn again and
// again in the same colours, and then its texts find their tables made.

// Coverage a (1 to 255) of fore over back with fore's alpha, unscaled: each channel
// ((255 - a) * back + a * fore) / 256. Red and blue are summed side by side in one
// word (each sum stays below 65536) and green in another.
dword BlendPixel(dword a, dword fore, dword back) {
  const dword redBlue = (back & 0x00FF00FF) * (255 - a) + (fore & 0x00FF00FF) * a;
  const dword green = (back & 0x0000FF00) * (255 - a) + (fore & 0x0000FF00) * a;
  return (fore & 0xFF000000) | ((redBlue >> 8) & 0x00FF00FF) | ((green >> 8) & 0x0000FF00);
}

// BlendPixel out of the drawing loop.
__attribute__((noinline)) dword BlendApart(dword a, dword fore, dword back) {
  return BlendPixel(a, fore, back);
}

const dword* FindBlendTable(bool solid, dword fore, dword back) {
  for (FMUC_BlendTable& table : FMUC_BlendTables) {
    if (table.used && table.solid == solid && table.fore == fore && table.back == back)
      return table.pixel;
  }
  FMUC_BlendTable& table = FMUC_BlendTables[FMUC_NextBlendTable];
  FMUC_NextBlendTable = (FMUC_NextBlendTable + 1) % FMUC_BLEND_TABLES;
  table.used = true;
  table.solid = solid;
  table.fore = fore;
  table.back = back;
  table.pixel[255] = fore;
  if (solid) {
    for (dword a = 1; a < 255; ++a)
      table.pixel[a] = (fore & 0xFF000000) | static_cast<dword>(AlphaLUT[a][0]) << 16 |
                       static_cast<dword>(AlphaLUT[a][1]) << 8 | AlphaLUT[a][2];
  } else {
    // From one coverage to the next each sum changes by fore - back in its channel.
    // The packed sums are exact (every channel's sum lies in 0 to 65535), so the
    // steps may wrap around the word as they like.
    const dword stepRedBlue = (fore & 0x00FF00FF) - (back & 0x00FF00FF);
    const dword stepGreen = (fore & 0x0000FF00) - (back & 0x0000FF00);
    dword redBlue = (back & 0x00FF00FF) * 255;
    dword green = (back & 0x0000FF00) * 255;
    for (dword a = 1; a < 255; ++a) {
      redBlue += stepRedBlue;
      green += stepGreen;
      table.pixel[a] =
          (fore & 0xFF000000) | ((redBlue >> 8) & 0x00FF00FF) | ((green >> 8) & 0x0000FF00);
    }
  }
  return table.pixel;
}

// One row of one glyph, from its first to the end of its last covered byte within the
// box, and the first pixel it falls on.
struct Run {
  const byte* coverage;
  const byte* end;
  dword* pixel;
};
enum : int { RUNS = 128 };  // gathered before they are drawn

struct Painter {
  const dword* table;
  dword base;  // the background the table was made for (over the screen)
  dword fore;
  float factor;

  // Coverage a (below 255) over a pixel that is not the table's background. Out of the
  // loop, which then keeps its few values in registers.
  __attribute__((noinline)) dword Blend(dword a, dword back) const {
    if (factor != 1.0f)
      return (fore & 0xFF000000) | FM_AlphaBlendRGB(static_cast<byte>(a), fore, back, factor);
    return BlendPixel(a, fore, back);
  }

  // The runs are gathered first and drawn here in one loop of few values: the walk over
  // glyphs and rows, with its many, stays out of the pixel loop.
  template <Mode MODE>
  void Draw(const Run* run, const Run* last) const {
    for (; run < last; ++run) {
      dword* pixel = run->pixel;
      for (const byte* coverage = run->coverage; coverage < run->end; ++coverage, ++pixel) {
        const dword a = *coverage;
        if (!a) continue;
        if (MODE == FROM_LUT) {
          *pixel = table[a];
        } else {
          const dword beneath = *pixel;
          if (__builtin_expect((MODE == OVER_SCREEN && beneath == base) || a == 255, 1))
            *pixel = table[a];
          else if (MODE == OVER_SCREEN)
            *pixel = BlendApart(a, fore, beneath);
          else
            *pixel = Blend(a, beneath);
        }
      }
    }
  }

  void Draw(Mode mode, const Run* runs, int count) const {
    if (mode == FROM_LUT)
      Draw<FROM_LUT>(runs, runs + count);
    else if (mode == OVER_SCREEN)
      Draw<OVER_SCREEN>(runs, runs + count);
    else
      Draw<SCALED>(runs, runs + count);
  }
};

}  // namespace

void FMUC_DrawGlyphs(dword* pixels, int boxWidth, int boxHeight, const FMUC_Glyph* const* glyphs,
                     int count, dword foreColor, dword backColor, bool solidBack,
                     float blendFactor) {
  if (!pixels || !glyphs || boxWidth <= 0 || boxHeight <= 0) return;
  const Mode mode = solidBack ? FROM_LUT : blendFactor == 1.0f ? OVER_SCREEN : SCALED;
  Painter painter{nullptr, pixels[0], foreColor, blendFactor};
  // A scaled solid background gets a table of its own for this drawing.
  dword scaledTable[256];
  if (mode == FROM_LUT && blendFactor == 1.0f) {
    // AlphaLUT was filled for these colours in this drawing; the table made from it is
    // kept for them.
    painter.table = FindBlendTable(true, foreColor, backColor);
  } else if (mode == FROM_LUT) {
    scaledTable[255] = foreColor;
    for (dword a = 1; a < 255; ++a)
      scaledTable[a] = (foreColor & 0xFF000000) | static_cast<dword>(AlphaLUT[a][0]) << 16 |
                       static_cast<dword>(AlphaLUT[a][1]) << 8 | AlphaLUT[a][2];
    painter.table = scaledTable;
  } else if (mode == OVER_SCREEN) {
    painter.table = FindBlendTable(false, foreColor, painter.base);
  }

  Run runs[RUNS];
  Run* next = runs;
  int pen = 0;
  int centre = 0;  // of the last glyph that advanced the pen
  for (int g = 0; g < count; ++g) {
    const FMUC_Glyph* glyph = glyphs[g];
    const int width = glyph->Width;
    const bool mark = glyph->CodePoint >= 0xA8 && FMUC_IsDiacriticalMark(glyph->CodePoint);
    // A mark is centred over the glyph before it and leaves the pen where it is.
    const int left = mark ? centre - width / 2 : pen;
    if (!mark) {
      centre = pen + width / 2;
      pen += width;
    }

    // Columns and rows that fall outside the box are left out.
    const int firstColumn = left < 0 ? -left : 0;
    const int endColumn = left + width > boxWidth ? boxWidth - left : width;
    // A glyph wholly left or right of the box has no row to draw.
    if (firstColumn >= endColumn) continue;
    const bool clipped = firstColumn > 0 || endColumn < width;
    int endRow = glyph->Height < boxHeight ? glyph->Height : boxHeight;
    // Only the stretches the ink table names (a large glyph has none: all of it).
    const byte* const ink = FMUC_GlyphInk(glyph);
    int row = 0;
    if (ink) {
      row = ink[0];
      if (ink[1] < endRow) endRow = ink[1];
    }
    const byte* coverage = glyph->GlyphData + row * width;
    dword* rowPixels = pixels + row * boxWidth + left;
    const byte* span = ink ? ink + 2 + 2 * row : nullptr;
    for (; row < endRow; ++row, coverage += width, rowPixels += boxWidth) {
      int first = firstColumn;
      int end = endColumn;
      if (span) {
        if (!clipped) {
          first = span[0];
          end = span[1];
        } else {
          if (span[0] > first) first = span[0];
          if (span[1] < end) end = span[1];
        }
        span += 2;
      }
      if (first >= end) continue;
      *next++ = {coverage + first, coverage + end, rowPixels + first};
      if (next == runs + RUNS) {
        painter.Draw(mode, runs, RUNS);
        next = runs;
      }
    }
  }
  painter.Draw(mode, runs, static_cast<int>(next - runs));
}
