#include <string.h>

#include "lib/firmware/firmware.h"
#include "lib/osd/messagebox.h"
#include "lib/text/text.h"

namespace {

enum : dword {
  TEXT_CENTRE_Y = 67,
  LINE_PITCH = 20,
  LIFT = 3,       // OSDMenuPutS hangs text this far above the row it is given
  BODY_TOP = 34,  // first row below the title band
  BUTTON_Y = 120,
  FRAME = 2,  // the panel's frame, each side
};

// First row of line i's text of a block of n lines centred on the body's middle row.
int LineTop(dword n, dword i) {
  return int(TEXT_CENTRE_Y + LINE_PITCH / 2 + LINE_PITCH * i) - int(LINE_PITCH / 2 * n) - int(LIFT);
}

}  // namespace

void OSDMenuMessageBoxShow(void) {
  enum : dword {
    TEXT_SIZE = 14,
    TITLE_Y = 10,
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
    // Whatever the box showed before it was closed, its fonts may have gone since.
    MessageBoxBody.Fitted = false;
  }
  const word region = MessageBoxOSDRgn;

  // Every drawing starts from the whole panel, so nothing of an earlier one survives.
  TAP_Osd_PutGd(region, 0, 0, &panel, false);
  OSDMenuPutS(region, 0, TITLE_Y, W, MessageBox.Title, TITLE_COLOUR, 0, TEXT_SIZE, FMUC_FIT_CUT,
              FMUC_ALIGN_CENTER);

  // The text's lines, as many as the body holds between the title band and the buttons,
  // none wider than the panel within its frame: fitted when the box opens or has been
  // initialised again, and kept for its redraws.
  tMessageBoxBody& body = MessageBoxBody;
  if (!body.Fitted) {
    body.Text[0] = '\0';
    strncpyUC(body.Text, MessageBox.Text, MESSAGEBOX_TEXT_SIZE - 1);
    body.Text[MESSAGEBOX_TEXT_SIZE - 1] = '\0';
    const dword lineHeight = OSDMenuGetH(TEXT_SIZE);
    dword maxLines = 1;
    for (dword n = MESSAGEBOX_MAX_LINES; n > 1; --n)
      if (LineTop(n, 0) >= int(BODY_TOP) && LineTop(n, n - 1) + int(lineHeight) <= int(BUTTON_Y)) {
        maxLines = n;
        break;
      }
    body.Count = OSDMenuMessageBoxFitText(body.Text, maxLines, W - 2 * FRAME, TEXT_SIZE, body.Line,
                                          body.Work);
    body.Fitted = true;
  }
  for (dword i = 0; i < body.Count; ++i)
    OSDMenuPutS(region, 0, dword(LineTop(body.Count, i) + int(LIFT)), W, body.Line[i], TEXT_COLOUR,
                0, TEXT_SIZE, FMUC_FIT_CUT, FMUC_ALIGN_CENTER);

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
