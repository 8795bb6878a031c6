// The button bar's icon of the exit key: a grey key cap with a white cross.
#include "lib/menu/menu.h"
#include "tools/pictures/Picture.h"

namespace pictures {

Picture Button_exit() {
  constexpr uint32_t W = 36, H = 20;
  Picture p(W, H, MENU_BACKGROUND_COLOUR);  // the button bar's ground
  p.Fill(1, 0, W - 2, H, 0xFF808080);
  p.Fill(0, 1, W, H - 2, 0xFF808080);
  p.Fill(2, 2, W - 4, H - 4, 0xFF484848);
  for (uint32_t i = 0; i < 12; ++i) {
    p.Fill(12 + i, 4 + i, 2, 1, 0xFFFFFFFF);
    p.Fill(22 - i, 4 + i, 2, 1, 0xFFFFFFFF);
  }
  return p;
}

}  // namespace pictures
