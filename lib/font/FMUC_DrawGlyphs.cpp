#include <string.h>

#include "lib/font/font.h"

namespace {

enum : int { CHUNK = 8 };  // coverage bytes looked at together

// Eight coverage bytes as one number, the first byte lowest.
uint64_t Load8(const byte* p) {
  uint64_t chunk;
  memcpy(&chunk, p, CHUNK);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  chunk = __builtin_bswap64(chunk);
#endif
  return chunk;
}

// The n (1 to 7) coverage bytes from offset on, at the end of a glyph's size bytes at
// data too close for eight to be read from offset.
uint64_t TailChunk(const byte* data, int offset, int n) {
  const int from = offset + n - CHUNK;
  if (from >= 0) return Load8(data + from) >> (8 * (CHUNK - n));
  // A glyph of fewer than eight bytes.
  uint64_t chunk = 0;
  for (int i = n - 1; i >= 0; --i)
    chunk = chunk << 8 | data[offset + i];
  return chunk;
}

// Red and blue of a colour 16 bits apart and green 32 bits above its own place: each
// channel's blend sum (below 65536) then has a lane of its own in one product.
uint64_t Lanes(dword colour) {
  return (colour & 0x00FF00FF) | static_cast<uint64_t>(colour & 0x0000FF00) << 24;
}

// How partial coverages are worked out in one drawing.
enum Mode {
  FROM_LUT,     // solid background: AlphaLUT, whatever lies beneath
  OVER_SCREEN,  // unscaled over the screen: blended with each pixel beneath
  SCALED,       // scaled over the screen: FM_AlphaBlendRGB for each pixel
};

// The colours of one drawing. Text over the screen mostly lies on a plain background:
// the box's first pixel is taken for it, the blends of every coverage over it are
// worked out once at the start, and pixels over anything else are blended one by one.
// With a solid background the table holds AlphaLUT's results.
struct Painter {
  dword memo[256];
  dword base;
  dword foreColor;
  dword alpha;
  uint64_t foreLanes;
  float factor;

  Painter(Mode mode, dword fore, dword background, float blendFactor)
      : base(background),
        foreColor(fore),
        alpha(fore & 0xFF000000),
        foreLanes(Lanes(fore)),
        factor(blendFactor) {
    memo[255] = foreColor;
    if (mode == FROM_LUT) {
      for (dword a = 1; a < 255; ++a)
        memo[a] = alpha | static_cast<dword>(AlphaLUT[a][0]) << 16 |
                  static_cast<dword>(AlphaLUT[a][1]) << 8 | AlphaLUT[a][2];
    } else if (mode == OVER_SCREEN) {
      // Coverage a over b is (255 - a) * b + a * f = 255 * b + a * (f - b) in each lane:
      // one step of f - b from coverage to coverage. The lanes' sums stay within their
      // lanes, so the wrap-around of the steps in 64 bits comes out exact.
      const uint64_t back = Lanes(base);
      const uint64_t step = foreLanes - back;
      uint64_t sum = back * 255;
      for (dword a = 1; a < 255; ++a) {
        sum += step;
        memo[a] = Pack(sum);
      }
    }
  }

  // The blended channels of lane sums, with the fore colour's alpha.
  dword Pack(uint64_t sum) const {
    return alpha | (static_cast<dword>(sum >> 8) & 0x00FF00FF) |
           (static_cast<dword>(sum >> 32) & 0x0000FF00);
  }

  // Coverage a (1 to 255) of the fore colour over back: FM_AlphaBlendRGB with the
  // fore colour's alpha, unscaled channels summed in their lanes all at once. Kept out
  // of the drawing loop.
  __attribute__((noinline)) dword Blend(dword a, dword back) const {
    if (a == 255) return foreColor;
    if (factor != 1.0f)
      return alpha | FM_AlphaBlendRGB(static_cast<byte>(a), foreColor, back, factor);
    return Pack(Lanes(back) * (255 - a) + foreLanes * a);
  }

  template <Mode MODE>
  void Plot(dword* pixel, dword a) {
    if (MODE == FROM_LUT || (MODE == OVER_SCREEN && *pixel == base))
      *pixel = memo[a];
    else
      *pixel = Blend(a, *pixel);
  }

  // The covered pixels of one chunk of a row: only the stretch from its first to its
  // last covered byte is walked.
  template <Mode MODE>
  void Chunk(dword* pixel, uint64_t chunk) {
    const int skip = __builtin_ctzll(chunk) / 8;
    chunk >>= 8 * skip;
    pixel += skip;
    do {
      const dword a = chunk & 0xFF;
      if (a) Plot<MODE>(pixel, a);
      ++pixel;
      chunk >>= 8;
    } while (chunk);
  }

  // Rows of a glyph no wider than a chunk, each with eight bytes to read from its first
  // column drawn (coverage) within the glyph: mask keeps the row's own.
  template <Mode MODE>
  void NarrowRows(const byte* coverage, int rows, int width, dword* rowPixels, int boxWidth,
                  uint64_t mask) {
    for (; rows > 0; --rows, coverage += width, rowPixels += boxWidth) {
      const uint64_t chunk = Load8(coverage) & mask;
      if (chunk) Chunk<MODE>(rowPixels, chunk);
    }
  }

  // Any rows of one glyph's coverage, from offset row on and width bytes apart, into the
  // rows of pixels from rowPixels on, boxWidth apart: span bytes of each row, in chunks
  // of eight whose last has lastBytes bytes (lastMask keeps them).
  template <Mode MODE>
  void Rows(const byte* data, int size, int width, int row, int rows, dword* rowPixels,
            int boxWidth, int span, int lastBytes, uint64_t lastMask) {
    for (; rows > 0; --rows, row += width, rowPixels += boxWidth) {
      for (int c = 0;; c += CHUNK) {
        const bool last = span - c <= CHUNK;
        uint64_t chunk;
        if (!last)
          chunk = Load8(data + row + c);
        else if (row + c + CHUNK <= size)
          chunk = Load8(data + row + c) & lastMask;
        else
          chunk = TailChunk(data, row + c, lastBytes);
        if (chunk) Chunk<MODE>(rowPixels + c, chunk);
        if (last) break;
      }
    }
  }

  // The rows firstRow to endRow - 1 of a glyph (as Rows): narrow ones quickly as long
  // as a whole chunk can be read.
  template <Mode MODE>
  void Glyph(const byte* data, int size, int width, int firstRow, int endRow, int firstColumn,
             int span, dword* rowPixels, int boxWidth) {
    const int lastBytes = ((span - 1) & (CHUNK - 1)) + 1;
    const uint64_t lastMask =
        lastBytes == CHUNK ? ~uint64_t{0} : (uint64_t{1} << (8 * lastBytes)) - 1;
    int row = firstRow * width + firstColumn;
    if (span <= CHUNK && size - CHUNK >= row) {
      // Rows up to the last one with eight bytes left from its first column drawn.
      int quick = (size - CHUNK - row) / width + 1;
      if (quick > endRow - firstRow) quick = endRow - firstRow;
      NarrowRows<MODE>(data + row, quick, width, rowPixels, boxWidth, lastMask);
      if (firstRow + quick == endRow) return;
      firstRow += quick;
      row += quick * width;
      rowPixels += quick * boxWidth;
    }
    Rows<MODE>(data, size, width, row, endRow - firstRow, rowPixels, boxWidth, span, lastBytes,
               lastMask);
  }
};

}  // namespace

void FMUC_DrawGlyphs(dword* pixels, int boxWidth, int boxHeight, const FMUC_Glyph* const* glyphs,
                     int count, dword foreColor, bool solidBack, float blendFactor) {
  if (!pixels || !glyphs || boxWidth <= 0 || boxHeight <= 0) return;
  const Mode mode = solidBack ? FROM_LUT : blendFactor == 1.0f ? OVER_SCREEN : SCALED;
  Painter painter(mode, foreColor, pixels[0], blendFactor);

  int pen = 0;
  int centre = 0;  // of the last glyph that advanced the pen
  for (int g = 0; g < count; ++g) {
    const FMUC_Glyph* glyph = glyphs[g];
    const int width = glyph->Width;
    const bool mark = FMUC_IsDiacriticalMark(glyph->CodePoint);
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
    const int rows = glyph->Height < boxHeight ? glyph->Height : boxHeight;
    const byte* const data = glyph->GlyphData;
    const int size = width * glyph->Height;

    // Most of a glyph's box is empty: the rows above its first covered byte and below
    // its last are passed over eight bytes at a time.
    int inkStart = 0;
    while (inkStart + CHUNK <= size && !Load8(data + inkStart))
      inkStart += CHUNK;
    int inkEnd = size;
    while (inkEnd >= inkStart + CHUNK && !Load8(data + inkEnd - CHUNK))
      inkEnd -= CHUNK;
    const int firstRow = inkStart / width;
    const int endRow = (inkEnd + width - 1) / width < rows ? (inkEnd + width - 1) / width : rows;
    if (firstRow >= endRow) continue;

    const int span = endColumn - firstColumn;
    dword* const rowPixels = pixels + firstRow * boxWidth + left + firstColumn;
    if (mode == FROM_LUT)
      painter.Glyph<FROM_LUT>(data, size, width, firstRow, endRow, firstColumn, span, rowPixels,
                              boxWidth);
    else if (mode == OVER_SCREEN)
      painter.Glyph<OVER_SCREEN>(data, size, width, firstRow, endRow, firstColumn, span, rowPixels,
                                 boxWidth);
    else
      painter.Glyph<SCALED>(data, size, width, firstRow, endRow, firstColumn, span, rowPixels,
                            boxWidth);
  }
}
