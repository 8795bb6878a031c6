#include "lib/osd/event.h"
#include "lib/osd/osd.h"

bool OSDMenuInfoBoxEvent(word* event, dword* param1) {
  if (WaitSpinnerRgn) OSDMenuWaitSpinnerIdle();

  if (event && param1 && *event == HOST_EVENT_KEY) {
    if (*param1 == KEY_EXIT) {
      OSDMenuInfoBoxDestroy();
      *param1 = 0;
      LastUnprocessedOSDMenuKey = 0;
    } else {
      LastUnprocessedOSDMenuKey = *param1;
    }
    return true;
  }
  if (event && *event != HOST_EVENT_IDLE) return false;

  // Idle ticks close the box once its time is up; the difference stays right across the
  // tick counter's wrap.
  if (int32_t(TAP_GetTick() - InfoBoxTimeOut) > 0) OSDMenuInfoBoxDestroy();
  return false;
}
