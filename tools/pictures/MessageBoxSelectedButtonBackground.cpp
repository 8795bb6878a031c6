// The glossy green bar behind the message box's selected button: one colour per row, a
// slightly darker right edge, and a left edge a step darker where the light catches it.
#include "tools/pictures/Picture.h"

namespace pictures {

Picture MessageBoxSelectedButtonBackground() {
  constexpr uint32_t W = 100, H = 25;
  // Per row: the bar's colour and that of its last column.
  static const uint32_t kRows[H][2] = {
      {0xFF9EE289, 0xFF98DD89}, {0xFFA0E385, 0xFF9BDF85}, {0xFF9BDE80, 0xFF95D980},
      {0xFF97D87B, 0xFF91D37B}, {0xFF92D375, 0xFF8CCE76}, {0xFF8CCD6F, 0xFF87C970},
      {0xFF87C76A, 0xFF82C36B}, {0xFF81C064, 0xFF7CBC65}, {0xFF7BBA5E, 0xFF76B660},
      {0xFF76B559, 0xFF71B15B}, {0xFF6EAC51, 0xFF6AA953}, {0xFF59963B, 0xFF56923C},
      {0xFF3A751A, 0xFF38731C}, {0xFF2C660A, 0xFF2B640D}, {0xFF2F6C0D, 0xFF2E6A10},
      {0xFF377E12, 0xFF357B14}, {0xFF3E8A14, 0xFF3C8716}, {0xFF429015, 0xFF408D17},
      {0xFF479818, 0xFF45941A}, {0xFF4B9E1B, 0xFF499A1D}, {0xFF4FA51E, 0xFF4CA120},
      {0xFF53AA20, 0xFF50A622}, {0xFF55AE22, 0xFF52A924}, {0xFF56B123, 0xFF54AD24},
      {0xFF54AD24, 0xFF51A826},
  };
  constexpr uint32_t ONE_GREEN = 0x000100, ONE_RED = 0x010000;
  Picture p(W, H);
  for (uint32_t y = 0; y < H; ++y) {
    p.Fill(0, y, W - 1, 1, kRows[y][0]);
    p.At(W - 1, y) = kRows[y][1];
  }
  // The left edge: one step darker in red and green in rows 2 to 7, in green in row 24.
  for (uint32_t y = 2; y <= 7; ++y)
    p.At(0, y) = kRows[y][0] - ONE_GREEN - ONE_RED;
  p.At(0, 24) = kRows[24][0] - ONE_GREEN;
  return p;
}

}  // namespace pictures
