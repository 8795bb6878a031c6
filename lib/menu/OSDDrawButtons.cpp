#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDDrawButtons(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  if (level.MenuType == MENUTYPE_FramedList)
    TAP_Osd_FillBox(OSDRgn, level.AreaX - 8, 481, level.AreaWidth + 16 + 16, 54,
                    MENU_BACKGROUND_COLOUR);
  else
    TAP_Osd_FillBox(OSDRgn, 0, 481, SCREEN_WIDTH, SCREEN_HEIGHT - 481, MENU_BACKGROUND_COLOUR);

  dword count =
      level.ButtonCount < dword(MENU_BUTTONS_MAX) ? level.ButtonCount : dword(MENU_BUTTONS_MAX);
  for (dword i = 0; i < count; i++) {
    const tButton& button = level.Buttons[i];
    int textX = button.X;
    if (button.Icon) {
      TAP_Osd_PutGd(OSDRgn, button.X, button.Y, button.Icon, false);
      textX += button.Icon->width;
    }
    FMUC_PutStringAA(OSDRgn, textX + 2, button.Y, level.AreaX + level.AreaWidth - 2, button.Text,
                     button.TextColour, 0, level.ButtonFont, FMUC_FIT_CUT, FMUC_ALIGN_LEFT, 1.0f);
  }
  if (level.Callback) level.Callback(MENUCALLBACK_Buttons, OSDRgn);
}
