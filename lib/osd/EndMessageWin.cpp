#include "lib/osd/messagewin.h"

void EndMessageWin(void) {
  if (MessageWinRgn) TAP_Osd_Delete(static_cast<word>(MessageWinRgn));
  MessageWinRgn = 0;
  TAP_Osd_Sync();
}
