#include "lib/osd/event.h"
#include "lib/osd/osd.h"

void OSDMenuWaitSpinnerIdle(void) {
  if (!WaitSpinnerRgn) return;
  // The spinner is a row of dots with the dot of the current step lit.
  enum : dword { DOT = 6, PITCH = 8 };
  TAP_Osd_FillBox(WaitSpinnerRgn, (WaitSpinnerIndex % WAITSPINNER_STEPS) * PITCH, 0, DOT, DOT,
                  0xFF404040);
  WaitSpinnerIndex = (WaitSpinnerIndex + 1) % WAITSPINNER_STEPS;
  TAP_Osd_FillBox(WaitSpinnerRgn, WaitSpinnerIndex * PITCH, 0, DOT, DOT, 0xFFE6E6FA);
  TAP_Osd_Sync();
}
