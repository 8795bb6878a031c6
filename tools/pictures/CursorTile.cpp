// One tile of the menu's selection cursor: a glossy bar, brightest along its middle row and
// darker towards the edges, the same colour across every row so that tiles laid side by
// side join without a seam. The shade depends only on the distance from the middle row, so
// a picture centred in a line of any of the three heights meets the same shades.
#include "tools/pictures/Picture.h"

namespace pictures {

namespace {

uint32_t Blend(uint32_t from, uint32_t to, uint32_t step, uint32_t steps) {
  uint32_t out = 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    out |= uint32_t(a + (b - a) * int(step) / int(steps)) << shift;
  }
  return out;
}

}  // namespace

Picture CursorTile(uint32_t height, bool dark) {
  constexpr uint32_t W = 100;
  const uint32_t middle = dark ? 0xFF3A4250 : 0xFF3C8CE0;
  const uint32_t edge = dark ? 0xFF151922 : 0xFF0F3C78;
  Picture p(W, height);
  const uint32_t centre = height / 2;
  for (uint32_t y = 0; y < height; ++y) {
    uint32_t distance = y > centre ? y - centre : centre - y;
    p.Fill(0, y, W, 1, Blend(middle, edge, distance, centre ? centre : 1));
  }
  // A thin highlight along the top edge gives the bar its gloss.
  p.Fill(0, 0, W, 1, dark ? 0xFF5A6272 : 0xFF8CC8FF);
  return p;
}

Picture Cursor_Blue_Normal() {
  return CursorTile(35, false);
}
Picture Cursor_Dark_Normal() {
  return CursorTile(35, true);
}
Picture Cursor_Blue_Small() {
  return CursorTile(23, false);
}
Picture Cursor_Dark_Small() {
  return CursorTile(23, true);
}
Picture Cursor_Blue_Tiny() {
  return CursorTile(19, false);
}
Picture Cursor_Dark_Tiny() {
  return CursorTile(19, true);
}

}  // namespace pictures
