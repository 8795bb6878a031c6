#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

void OSDDrawTitle(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  if (level.MenuType == MENUTYPE_FramedList) {
    TAP_Osd_FillBox(OSDRgn, level.AreaX - 8, 46, level.AreaWidth + 16 + 16, 50,
                    MENU_BACKGROUND_COLOUR);
    FMUC_PutStringAA(OSDRgn, level.AreaX, 58, level.AreaX + level.AreaWidth - 1, level.Title,
                     MENU_TITLE_COLOUR, 0, level.SubtitleFont, FMUC_FIT_CUT, FMUC_ALIGN_CENTER,
                     1.0f);
  } else {
    TAP_Osd_FillBox(OSDRgn, 0, 0, SCREEN_WIDTH, 96, MENU_BACKGROUND_COLOUR);
    FMUC_PutStringAA(OSDRgn, 50, 36, 658, level.Title, MENU_TITLE_COLOUR, 0, level.TitleFont,
                     FMUC_FIT_CUT, FMUC_ALIGN_LEFT, 1.0f);
    // The subtitle takes the room right of the title, shortened when it does not fit.
    int titleWidth = FMUC_GetStringWidth(level.Title, level.TitleFont);
    FMUC_PutStringAA(OSDRgn, titleWidth + 55, 46, 658, level.Subtitle, MENU_SUBTITLE_COLOUR, 0,
                     level.SubtitleFont, FMUC_FIT_ELLIPSIS_END, FMUC_ALIGN_RIGHT, 1.0f);
  }
  if (level.Callback) level.Callback(MENUCALLBACK_Title, OSDRgn);
}
