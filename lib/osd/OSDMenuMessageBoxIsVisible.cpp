#include "lib/osd/messagebox.h"

bool OSDMenuMessageBoxIsVisible(void) {
  return MessageBoxOSDRgn != 0;
}
