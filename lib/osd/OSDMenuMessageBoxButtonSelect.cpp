#include "lib/osd/messagebox.h"

void OSDMenuMessageBoxButtonSelect(dword index) {
  if (index >= MessageBox.NrButtons) return;
  MessageBox.CurrentButton = index;
  if (MessageBoxOSDRgn) OSDMenuMessageBoxShow();
}
