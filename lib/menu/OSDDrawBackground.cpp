#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDDrawBackground(void) {
  const tMenu& level = Menu[CurrentMenuLevel];
  if (level.MenuType == MENUTYPE_FramedList) {
    dword x = level.AreaX - 10;
    dword width = level.AreaWidth + 16 + 20;
    TAP_Osd_Draw3dBoxFill(OSDRgn, x, 44, width, 493, MENU_BACKGROUND_COLOUR, MENU_BACKGROUND_COLOUR,
                          MENU_BACKGROUND_COLOUR);
    TAP_Osd_DrawRectangle(OSDRgn, x, 44, width, 493, 2, MENU_FRAME_COLOUR);
  } else {
    TAP_Osd_FillBox(OSDRgn, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, MENU_BACKGROUND_COLOUR);
    // The rule between the list and the button bar.
    TAP_Osd_FillBox(OSDRgn, 50, 479, 614, 2, MENU_FRAME_COLOUR);
  }
}
