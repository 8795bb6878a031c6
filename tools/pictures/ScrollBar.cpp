// The menu's scroll bar: the track beside the list (with end arrows and a groove when the
// list is longer than the page, a plain rail otherwise) and the knob that rides in it.
//
// The track's last 16 rows are copied further down by the menu for the taller list areas
// of 15 and 18 lines, so they must repeat cleanly: groove above, the end arrow below.
#include "tools/pictures/Picture.h"

namespace pictures {

namespace {

constexpr uint32_t TRACK_W = 16, TRACK_H = 368;

Picture Track(bool knobRoom) {
  Picture p(TRACK_W, TRACK_H, knobRoom ? 0xFF3A3A3A : 0xFF262626);
  p.Fill(1, 1, TRACK_W - 2, TRACK_H - 2, knobRoom ? 0xFF1A1A1A : 0xFF141414);
  if (!knobRoom) return p;
  // The groove the knob travels in (its top runs from row 12 to row 336).
  p.Fill(7, 12, 2, TRACK_H - 24, 0xFF2C2C2C);
  // End arrows: up in rows 3 to 8, down in rows 359 to 364.
  for (uint32_t row = 0; row < 6; ++row) {
    p.Fill(7 - row, 3 + row, 2 + 2 * row, 1, 0xFF808080);
    p.Fill(7 - row, TRACK_H - 4 - row, 2 + 2 * row, 1, 0xFF808080);
  }
  return p;
}

}  // namespace

Picture ScrollBarVisible() {
  return Track(true);
}
Picture ScrollBarInvisible() {
  return Track(false);
}

Picture ScrollBarKnob() {
  constexpr uint32_t W = 14, H = 20;
  Picture p(W, H, 0xFF606068);
  p.Fill(1, 1, W - 2, H - 2, 0xFFA0A0A8);
  p.Fill(1, 1, W - 2, 1, 0xFFD0D0D8);
  // Grip lines across the middle.
  for (uint32_t row : {7u, 10u, 13u})
    p.Fill(3, row, W - 6, 1, 0xFF707078);
  return p;
}

}  // namespace pictures
