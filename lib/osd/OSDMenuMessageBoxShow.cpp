#include <string.h>

#include "lib/firmware/firmware.h"
#include "lib/osd/messagebox.h"
#include "lib/text/text.h"

void OSDMenuMessageBoxShow(void) {
  enum : dword {
    TEXT_SIZE = 14,
    TITLE_Y = 10,
    TEXT_CENTRE_Y = 67,
    LINE_PITCH = 20,
    BUTTON_Y = 120,
    LABEL_Y = 124,
    TITLE_COLOUR = 0xFFE89211,
    TEXT_COLOUR = 0xFFC0C0C0,
    BUTTON_COLOUR = 0xFF242424,
    LABEL_COLOUR = 0xFFE6E6FA,
    SELECTED_LABEL_COLOUR = 0xFF282828,
  };
  if (MessageBox.NrButtons == 0) return;
  const TYPE_GrData& panel = _InfoBox_Gd;
  const TYPE_GrData& bar = _MessageBoxSelectedButtonBackground_Gd;
  const dword W = panel.width, H = panel.height, BW = bar.width, BH = bar.height;

  if (!MessageBoxOSDRgn) {
    const int x = int(SCREEN_WIDTH - W) >> 1, y = int(SCREEN_HEIGHT - H) >> 1;
    // Over the menu or the caller's region, keep what the box covers to put it back on
    // close. A block still held from before would be lost: give it back first.
    if (OSDRgn || MyOSDRgn) {
      TAP_MemFree(InfoBoxSaveArea);
      InfoBoxSaveArea = nullptr;
      InfoBoxSaveAreaX = x;
      InfoBoxSaveAreaY = y;
      if (MyOSDRgn) {
        const TYPE_OsdMapEntry* map = FIS_vOsdMap();
        if (map)
          InfoBoxSaveArea = TAP_Osd_SaveBox(MyOSDRgn, dword(x - map[MyOSDRgn].x),
                                            dword(y - map[MyOSDRgn].y), W, H);
      } else {
        InfoBoxSaveArea = TAP_Osd_SaveBox(OSDRgn, dword(x), dword(y), W, H);
      }
    }
    MessageBoxOSDRgn = TAP_Osd_Create(dword(x), dword(y), W, H, 0, 0);
    if (!MessageBoxOSDRgn) {
      // No region: the box stays closed and the firmware keeps its normal mode.
      TAP_MemFree(InfoBoxSaveArea);
      InfoBoxSaveArea = nullptr;
      return;
    }
    TAP_ExitNormal();
  }
  const word region = MessageBoxOSDRgn;

  // Every drawing starts from the whole panel, so nothing of an earlier one survives.
  TAP_Osd_PutGd(region, 0, 0, &panel, false);
  OSDMenuPutS(region, 0, TITLE_Y, W, MessageBox.Title, TITLE_COLOUR, 0, TEXT_SIZE, FMUC_FIT_CUT,
              FMUC_ALIGN_CENTER);

  // The text's lines, each ended by '\r' or '\n'; a separator at the very end opens no
  // line, and whatever follows the last line that fits is not shown.
  char text[MESSAGEBOX_TEXT_SIZE];
  text[0] = '\0';
  strncpyUC(text, MessageBox.Text, MESSAGEBOX_TEXT_SIZE - 1);
  text[MESSAGEBOX_TEXT_SIZE - 1] = '\0';
  const char* lines[MESSAGEBOX_MAX_LINES];
  dword n = 0;
  char* const end = text + strlen(text);
  for (char* p = text; p < end && n < MESSAGEBOX_MAX_LINES;) {
    lines[n++] = p;
    char* separator = strpbrk(p, "\r\n");
    if (!separator) break;
    *separator = '\0';
    p = separator + 1;
  }
  // The block of lines is centred on one row of the body.
  for (dword i = 0; i < n; ++i)
    OSDMenuPutS(region, 0, TEXT_CENTRE_Y + LINE_PITCH / 2 - LINE_PITCH / 2 * n + LINE_PITCH * i, W,
                lines[i], TEXT_COLOUR, 0, TEXT_SIZE, FMUC_FIT_CUT, FMUC_ALIGN_CENTER);

  // Buttons sit evenly across the panel: the plain ones first, then the selected one.
  const dword pitch = W / (MessageBox.NrButtons + 1);
  for (dword k = 0; k < MessageBox.NrButtons; ++k) {
    if (k == MessageBox.CurrentButton) continue;
    const dword cx = pitch * (k + 1);
    TAP_Osd_FillBox(region, cx - BW / 2, BUTTON_Y, BW, BH, BUTTON_COLOUR);
    OSDMenuPutS(region, cx - BW / 2, LABEL_Y, cx + BW / 2, MessageBox.Button[k], LABEL_COLOUR, 0,
                TEXT_SIZE, FMUC_FIT_CUT, FMUC_ALIGN_CENTER);
  }
  // After a close with KEY_EXIT no button is selected until the next initialisation.
  if (MessageBox.CurrentButton < MessageBox.NrButtons) {
    const dword cx = pitch * (MessageBox.CurrentButton + 1);
    TAP_Osd_PutGd(region, int(cx - BW / 2), BUTTON_Y, &bar, false);
    OSDMenuPutS(region, cx - BW / 2, LABEL_Y, cx + BW / 2,
                MessageBox.Button[MessageBox.CurrentButton], SELECTED_LABEL_COLOUR, 0, TEXT_SIZE,
                FMUC_FIT_CUT, FMUC_ALIGN_CENTER);
  }
  TAP_Osd_Sync();
}
