#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDDrawLogo(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  if (level.OldLogoWidth && level.OldLogoHeight) {
    TAP_Osd_FillBox(OSDRgn, level.OldLogoX, level.OldLogoY, level.OldLogoWidth, level.OldLogoHeight,
                    MENU_BACKGROUND_COLOUR);
    level.OldLogoWidth = 0;
    level.OldLogoHeight = 0;
  }
  if (level.Logo) TAP_Osd_PutGd(OSDRgn, level.LogoX, level.LogoY, level.Logo, false);
  if (level.Callback) level.Callback(MENUCALLBACK_Logo, OSDRgn);
}
