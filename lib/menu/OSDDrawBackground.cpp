#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDDrawBackground(void) {
  const tMenu& level = Menu[CurrentMenuLevel];
  if (level.MenuType == MENUTYPE_FramedList) {
    dword x = level.AreaX - 10;
    dword width = level.AreaWidth + 16 + 20;
    TAP_Osd_Draw3dBoxFill(OSDRgn, x, 44, width, 493, 0xFF101010, 0xFF101010, 0xFF101010);
    TAP_Osd_DrawRectangle(OSDRgn, x, 44, width, 493, 2, 0xFF808080);
  } else {
    TAP_Osd_FillBox(OSDRgn, 0, 0, 720, 576, 0xFF101010);
    // The rule between the list and the button bar.
    TAP_Osd_FillBox(OSDRgn, 50, 479, 614, 2, 0xFF808080);
  }
}
