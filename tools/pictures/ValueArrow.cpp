// The arrows either side of a selected item's value: filled triangles on a transparent
// ground (drawn as sprites over the cursor), grey and, for the brighter cursors, white.
#include "tools/pictures/Picture.h"

namespace pictures {

namespace {

Picture Arrow(bool pointsRight, uint32_t colour) {
  constexpr uint32_t W = 10, H = 15, MIDDLE = 7;
  Picture p(W, H, 0);
  for (uint32_t y = 0; y < H; ++y) {
    uint32_t distance = y > MIDDLE ? y - MIDDLE : MIDDLE - y;
    // Tip at column 1 (8 when pointing right), base along column 8 (1).
    uint32_t from = 1 + distance, length = 8 - distance;
    p.Fill(pointsRight ? W - from - length : from, y, length, 1, colour);
  }
  return p;
}

}  // namespace

Picture pfeil_l() {
  return Arrow(false, 0xFFB4B4B4);
}
Picture pfeil_l_bright() {
  return Arrow(false, 0xFFFFFFFF);
}
Picture pfeil_r() {
  return Arrow(true, 0xFFB4B4B4);
}
Picture pfeil_r_bright() {
  return Arrow(true, 0xFFFFFFFF);
}

}  // namespace pictures
