#include <string.h>

#include "lib/font/font.h"

namespace {

enum : int { CHUNK = 8 };  // coverage bytes looked at together

// The n (1 to 8) coverage bytes from offset on of a glyph's size bytes at data, as one
// number with the first byte lowest. Nothing outside the glyph's bytes is read.
uint64_t CoverageChunk(const byte* data, int size, int offset, int n) {
  uint64_t chunk = 0;
  const int from = offset + CHUNK <= size ? offset : offset + n - CHUNK;
  if (from < 0) {
    // A glyph of fewer than eight bytes.
    for (int i = n - 1; i >= 0; --i)
      chunk = chunk << 8 | data[offset + i];
    return chunk;
  }
  memcpy(&chunk, data + from, CHUNK);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  chunk = __builtin_bswap64(chunk);
#endif
  // Near the glyph's end the eight bytes read end with the wanted ones.
  if (from != offset) return chunk >> (8 * (CHUNK - n));
  return n == CHUNK ? chunk : chunk & ((uint64_t{1} << (8 * n)) - 1);
}

}  // namespace

void FMUC_DrawGlyphs(dword* pixels, int boxWidth, int boxHeight, const FMUC_Glyph* const* glyphs,
                     int count, dword foreColor, bool solidBack, float blendFactor) {
  if (!pixels || !glyphs || boxWidth <= 0 || boxHeight <= 0) return;
  const dword alpha = foreColor & 0xFF000000;
  const bool unscaled = blendFactor == 1.0f;
  // Red and blue of a colour 16 bits apart and green 32 bits above its own place: each
  // channel's blend sum (below 65536) then has a lane of its own in one product.
  auto spread = [](dword colour) -> uint64_t {
    return (colour & 0x00FF00FF) | static_cast<uint64_t>(colour & 0x0000FF00) << 24;
  };
  const uint64_t foreLanes = spread(foreColor);
  // Partial coverage a of the fore colour over back: FM_AlphaBlendRGB with the fore
  // colour's alpha, its unscaled channels summed in the lanes all at once.
  auto blend = [&](dword a, dword back) -> dword {
    if (a == 255) return foreColor;
    if (!unscaled)
      return alpha | FM_AlphaBlendRGB(static_cast<byte>(a), foreColor, back, blendFactor);
    const uint64_t sum = spread(back) * (255 - a) + foreLanes * a;
    return alpha | (static_cast<dword>(sum >> 8) & 0x00FF00FF) |
           (static_cast<dword>(sum >> 32) & 0x0000FF00);
  };

  // The results of one background for each coverage, worked out on first use. Text
  // over the screen mostly lies on a plain background: the box's first pixel is taken
  // for it, and pixels over anything else are blended one by one. With a solid
  // background every partial coverage comes from AlphaLUT whatever lies beneath. No
  // result has an alpha byte other than the fore colour's, so a value with another
  // marks an entry not worked out yet.
  const dword unknown = alpha ? 0 : 0xFFFFFFFF;
  dword memo[256];
  memset(memo, alpha ? 0 : 0xFF, sizeof memo);
  memo[255] = foreColor;
  const dword base = pixels[0];
  auto plot = [&](dword* pixel, dword a) {
    dword result = memo[a];
    if (!solidBack && *pixel != base) {
      result = blend(a, *pixel);
    } else if (result == unknown) {
      result = solidBack ? alpha | static_cast<dword>(AlphaLUT[a][0]) << 16 |
                               static_cast<dword>(AlphaLUT[a][1]) << 8 | AlphaLUT[a][2]
                         : blend(a, base);
      memo[a] = result;
    }
    *pixel = result;
  };

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

    // Most of a glyph's box is empty: rows are looked at eight coverage bytes at a
    // time, and within a chunk only the stretch from its first to its last covered
    // byte is walked.
    int row = 0;                                     // offset of the row's coverage
    dword* rowPixels = pixels + left + firstColumn;  // of the first column drawn
    for (int r = 0; r < rows; ++r, row += width, rowPixels += boxWidth) {
      for (int c = firstColumn; c < endColumn; c += CHUNK) {
        const int n = endColumn - c < CHUNK ? endColumn - c : CHUNK;
        uint64_t chunk = CoverageChunk(data, size, row + c, n);
        if (!chunk) continue;
        const int skip = __builtin_ctzll(chunk) / 8;
        chunk >>= 8 * skip;
        dword* pixel = rowPixels + (c - firstColumn) + skip;
        do {
          const dword a = chunk & 0xFF;
          if (a) plot(pixel, a);
          ++pixel;
          chunk >>= 8;
        } while (chunk);
      }
    }
  }
}
