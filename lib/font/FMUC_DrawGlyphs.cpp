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
  SCALED,       // scaled over the screen: FM_BlendRGB for each pixel
};

// The pixel of every coverage 0 to 255 of one fore colour over one background: with a
// solid background AlphaLUT's results, over the screen the blends over the box's first
// pixel, which text over the screen nearly always shares with most of the pixels
// beneath it. A few tables are kept from drawing to drawing: a box is drawn again and
// again in the same colours, and then its texts find their tables made.
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
  // Over the screen, no coverage over the background is the background: a stretch of a
  // glyph's row is drawn whole, its uncovered bytes included.
  table.pixel[0] = back;
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

// Coverage a (0 to 255) of fore over a pixel beneath, unscaled, with fore's alpha: each
// channel ((255 - a) * back + a * fore) / 256, red and blue summed side by side in one
// word (each sum stays below 65536) and green in another.
inline __attribute__((always_inline)) dword Over(dword a, dword fore, dword beneath) {
  if (a == 0) return beneath;
  if (a == 255) return fore;
  const dword redBlue = (beneath & 0x00FF00FF) * (255 - a) + (fore & 0x00FF00FF) * a;
  const dword green = (beneath & 0x0000FF00) * (255 - a) + (fore & 0x0000FF00) * a;
  return (fore & 0xFF000000) | ((redBlue >> 8) & 0x00FF00FF) | ((green >> 8) & 0x0000FF00);
}

// One pixel of a stretch over the screen, and two neighbours: over the background the
// table gives the result (the background itself for no coverage), over anything else
// the coverage is blended on the spot.
inline __attribute__((always_inline)) void PutOne(dword* pixel, const byte* c, const dword* table,
                                                  dword base, dword fore) {
  const dword beneath = *pixel;
  *pixel = beneath == base ? table[*c] : Over(*c, fore, beneath);
}
inline __attribute__((always_inline)) void PutPair(dword* pixel, const byte* c, const dword* table,
                                                   dword base, dword fore) {
  const dword beneath0 = pixel[0];
  const dword beneath1 = pixel[1];
  const dword a0 = c[0];
  const dword a1 = c[1];
  pixel[0] = __builtin_expect(beneath0 == base, 1) ? table[a0] : Over(a0, fore, beneath0);
  pixel[1] = __builtin_expect(beneath1 == base, 1) ? table[a1] : Over(a1, fore, beneath1);
}

// A glyph that lies within the box, waiting to be drawn: its ink table's spans of the
// rows to draw, the coverage bytes and pixels of the first of them, and its width.
struct Placed {
  const byte* span;
  const byte* spanEnd;
  const byte* coverage;
  dword* rowPixels;
  int width;
};
enum : int { PLACED = 32 };  // gathered before they are drawn

// The rows of glyphs that lie within the box over the screen, unscaled, each row's
// stretch as its ink table has it (an empty row's is empty): in a function of its own
// that calls nothing, so that its loops have every register, once for many glyphs.
// Every pixel of a stretch is written, two at a time: over the background the table
// gives its result (the background itself for no coverage), over anything else it is
// blended on the spot.
__attribute__((noinline)) void RowsOverScreen(const Placed* placed, const Placed* const last,
                                              const int boxWidth, const dword* const table,
                                              const dword base, const dword fore) {
  for (; placed != last; ++placed) {
    const byte* span = placed->span;
    const byte* const spanEnd = placed->spanEnd;
    const byte* coverage = placed->coverage;
    dword* rowPixels = placed->rowPixels;
    const int width = placed->width;
    for (; span != spanEnd; span += 2, coverage += width, rowPixels += boxWidth) {
      const byte* c = coverage + span[0];
      dword* pixel = rowPixels + span[0];
      dword* const end = rowPixels + span[1];
      if ((end - pixel) & 1) PutOne(pixel++, c++, table, base, fore);
      // Tested at the bottom, where the step fills the branch's delay slot.
      if (pixel == end) continue;
      do {
        PutPair(pixel, c, table, base, fore);
        pixel += 2;
        c += 2;
      } while (pixel != end);
    }
  }
}

struct Painter {
  const dword* table;
  dword base;  // the background the table was made for (over the screen)
  dword fore;
  dword factorBits;

  // One stretch of a glyph's row, from its coverage bytes at coverage (up to end) onto
  // the pixels from pixel on. The loops call nothing, so that they keep every value they
  // use in registers.
  template <Mode MODE>
  void Stretch(const byte* coverage, const byte* end, dword* pixel) const {
    if (MODE == OVER_SCREEN) {
      // Every pixel of the stretch is written, two at a time.
      const dword* const lut = table;
      const dword background = base;
      dword* const pairsEnd = pixel + ((end - coverage) & ~1);
      for (; pixel != pairsEnd; pixel += 2, coverage += 2)
        PutPair(pixel, coverage, lut, background, fore);
      if (coverage != end) PutOne(pixel, coverage, lut, background, fore);
    } else {
      for (; coverage < end; ++coverage, ++pixel) {
        const dword a = *coverage;
        if (!a) continue;
        if (MODE == FROM_LUT)
          *pixel = table[a];
        else if (a == 255)
          *pixel = fore;
        else
          *pixel =
              (fore & 0xFF000000) | FM_BlendRGB(static_cast<byte>(a), fore, *pixel, factorBits);
      }
    }
  }

  // The rows of a glyph that lies within the box, each row's stretch as its ink table
  // has it (an empty row's is empty), from the pixels of its first row (spans) on
  // (RowsOverScreen over the screen).
  template <Mode MODE>
  void Rows(const byte* span, const byte* spanEnd, const byte* coverage, int width,
            dword* rowPixels, int boxWidth) const {
    for (; span != spanEnd; span += 2, coverage += width, rowPixels += boxWidth)
      Stretch<MODE>(coverage + span[0], coverage + span[1], rowPixels + span[0]);
  }

  template <Mode MODE>
  void Draw(dword* pixels, int boxWidth, int boxHeight, const FMUC_Glyph* const* glyphs,
            int count) const {
    // Over the screen the glyphs within the box are gathered and drawn together; the
    // others are drawn in order with them, so that a mark still blends over the glyph
    // it is centred on.
    Placed placed[PLACED];
    Placed* next = placed;
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

      // Only the stretches the ink table names (a large glyph has none: all of it).
      const byte* const ink = FMUC_GlyphInk(glyph);
      if (ink && left >= 0 && left + width <= boxWidth) {
        // The glyph's columns lie within the box: its inked rows above the box's bottom
        // (no glyph row is inked below its height).
        const int row = ink[0];
        const int endRow = ink[1] < boxHeight ? ink[1] : boxHeight;
        if (row >= endRow) continue;
        const byte* const coverage = glyph->GlyphData + row * width;
        dword* const rowPixels = pixels + row * boxWidth + left;
        if (MODE == OVER_SCREEN) {
          *next++ = {ink + 2 + 2 * row, ink + 2 + 2 * endRow, coverage, rowPixels, width};
          if (next == placed + PLACED) {
            RowsOverScreen(placed, next, boxWidth, table, base, fore);
            next = placed;
          }
        } else {
          Rows<MODE>(ink + 2 + 2 * row, ink + 2 + 2 * endRow, coverage, width, rowPixels, boxWidth);
        }
        continue;
      }

      // Columns and rows that fall outside the box are left out.
      const int firstColumn = left < 0 ? -left : 0;
      const int endColumn = left + width > boxWidth ? boxWidth - left : width;
      // A glyph wholly left or right of the box has no row to draw.
      if (firstColumn >= endColumn) continue;
      int endRow = glyph->Height < boxHeight ? glyph->Height : boxHeight;
      int row = 0;
      if (ink) {
        row = ink[0];
        if (ink[1] < endRow) endRow = ink[1];
      }
      if (row >= endRow) continue;
      const byte* coverage = glyph->GlyphData + row * width;
      dword* rowPixels = pixels + row * boxWidth + left;
      if (MODE == OVER_SCREEN && next != placed) {
        RowsOverScreen(placed, next, boxWidth, table, base, fore);
        next = placed;
      }
      const byte* span = ink ? ink + 2 + 2 * row : nullptr;
      for (; row < endRow; ++row, coverage += width, rowPixels += boxWidth) {
        int first = firstColumn;
        int end = endColumn;
        if (span) {
          if (span[0] > first) first = span[0];
          if (span[1] < end) end = span[1];
          span += 2;
        }
        if (first < end) Stretch<MODE>(coverage + first, coverage + end, rowPixels + first);
      }
    }
    if (MODE == OVER_SCREEN && next != placed)
      RowsOverScreen(placed, next, boxWidth, table, base, fore);
  }
};

}  // namespace

void FMUC_DrawGlyphs(dword* pixels, int boxWidth, int boxHeight, const FMUC_Glyph* const* glyphs,
                     int count, dword foreColor, dword backColor, bool solidBack,
                     dword blendFactorBits) {
  if (!pixels || !glyphs || boxWidth <= 0 || boxHeight <= 0) return;
  Painter painter{nullptr, pixels[0], foreColor, blendFactorBits};
  if (solidBack && blendFactorBits == FM_FACTOR_ONE) {
    // AlphaLUT was filled for these colours in this drawing; the table made from it is
    // kept for them.
    painter.table = FindBlendTable(true, foreColor, backColor);
    painter.Draw<FROM_LUT>(pixels, boxWidth, boxHeight, glyphs, count);
  } else if (solidBack) {
    // A scaled solid background gets a table of its own for this drawing.
    dword scaledTable[256];
    scaledTable[255] = foreColor;
    for (dword a = 1; a < 255; ++a)
      scaledTable[a] = (foreColor & 0xFF000000) | static_cast<dword>(AlphaLUT[a][0]) << 16 |
                       static_cast<dword>(AlphaLUT[a][1]) << 8 | AlphaLUT[a][2];
    painter.table = scaledTable;
    painter.Draw<FROM_LUT>(pixels, boxWidth, boxHeight, glyphs, count);
  } else if (blendFactorBits == FM_FACTOR_ONE) {
    painter.table = FindBlendTable(false, foreColor, painter.base);
    painter.Draw<OVER_SCREEN>(pixels, boxWidth, boxHeight, glyphs, count);
  } else {
    // Scaled over the screen, each partial coverage is blended with the pixel beneath.
    painter.Draw<SCALED>(pixels, boxWidth, boxHeight, glyphs, count);
  }
}
