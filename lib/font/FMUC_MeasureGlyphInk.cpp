#include "lib/font/font.h"

void FMUC_MeasureGlyphInk(FMUC_Glyph* glyph) {
  const dword width = glyph->Width;
  const dword height = glyph->Height;
  byte* const ink = glyph->GlyphData + width * height;
  byte* const spans = ink + 2;
  dword firstRow = height;
  dword endRow = 0;
  const byte* row = glyph->GlyphData;
  for (dword r = 0; r < height; ++r, row += width) {
    dword first = 0;
    while (first < width && !row[first])
      ++first;
    dword end = width;
    while (end > first && !row[end - 1])
      --end;
    if (first == end) first = end = 0;
    spans[2 * r] = static_cast<byte>(first);
    spans[2 * r + 1] = static_cast<byte>(end);
    if (first == end) continue;
    if (r < firstRow) firstRow = r;
    endRow = r + 1;
  }
  if (firstRow > endRow) firstRow = endRow;
  ink[0] = static_cast<byte>(firstRow);
  ink[1] = static_cast<byte>(endRow);
}
