#include "lib/osd/event.h"
#include "lib/osd/messagebox.h"

bool OSDMenuMessageBoxEvent(word* event, dword* param1) {
  if (!event || !param1 || *event != HOST_EVENT_KEY) return false;
  dword key = *param1;
  dword last = MessageBox.NrButtons ? MessageBox.NrButtons - 1 : 0;
  dword& selected = MessageBox.CurrentButton;

  switch (key) {
    case KEY_LEFT:
      if (selected > 0) {
        // A selection left out of range by an earlier close comes back to the last button.
        selected = selected > last ? last : selected - 1;
        OSDMenuMessageBoxShow();
      } else if (MessageBoxAllowScrollOver) {
        selected = last;
        OSDMenuMessageBoxShow();
      }
      break;
    case KEY_RIGHT:
      if (selected < last) {
        selected++;
        OSDMenuMessageBoxShow();
      } else if (MessageBoxAllowScrollOver) {
        selected = 0;
        OSDMenuMessageBoxShow();
      }
      break;
    case KEY_OK:
    case KEY_EXIT:
      if (MessageBoxNoNormalMode)
        OSDMenuMessageBoxDestroyNoOSDUpdate();
      else
        OSDMenuMessageBoxDestroy();
      if (key == KEY_EXIT) selected = MESSAGEBOX_NO_BUTTON;
      break;
    default:
      // The box stays up; the key is the caller's and the firmware's.
      LastUnprocessedOSDMenuKey = key;
      return true;
  }
  *param1 = 0;
  LastUnprocessedOSDMenuKey = 0;
  return true;
}
