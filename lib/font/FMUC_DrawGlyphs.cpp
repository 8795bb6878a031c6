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

    // Most of a glyph's box is empty. The rows above its first covered byte and below
    // its last are passed over eight bytes at a time; the others are looked at in
    // chunks of eight bytes, and within a chunk only the stretch from its first to its
    // last covered byte is walked.
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
    const int lastBytes = ((span - 1) & (CHUNK - 1)) + 1;  // in a row's last chunk
    const uint64_t lastMask =
        lastBytes == CHUNK ? ~uint64_t{0} : (uint64_t{1} << (8 * lastBytes)) - 1;
    int row = firstRow * width + firstColumn;  // offset of the row's first coverage drawn
    dword* rowPixels = pixels + firstRow * boxWidth + left + firstColumn;
    for (int r = firstRow; r < endRow; ++r, row += width, rowPixels += boxWidth) {
      for (int c = 0; c < span; c += CHUNK) {
        uint64_t chunk;
        if (span - c > CHUNK)
          chunk = Load8(data + row + c);
        else if (row + c + CHUNK <= size)
          chunk = Load8(data + row + c) & lastMask;
        else
          chunk = TailChunk(data, row + c, lastBytes);
        if (!chunk) continue;
        const int skip = __builtin_ctzll(chunk) / 8;
        chunk >>= 8 * skip;
        dword* pixel = rowPixels + c + skip;
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
