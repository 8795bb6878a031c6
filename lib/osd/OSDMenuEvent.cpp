#include "lib/osd/event.h"
#include "lib/osd/messagebox.h"

bool OSDMenuEvent(word* event, dword* param1, dword* param2) {
  (void)param2;
  // Only the first open element sees the event: an info box or message box lies over a
  // colour picker or menu beneath it.
  if (InfoBoxOSDRgn) return OSDMenuInfoBoxEvent(event, param1);
  if (MessageBoxOSDRgn) return OSDMenuMessageBoxEvent(event, param1);
  if (ColorPickerOSDRgn) return OSDMenuColorPickerEvent(event, param1);
  if (OSDRgn) return OSDMenuListEvent(event, param1);
  return false;
}
