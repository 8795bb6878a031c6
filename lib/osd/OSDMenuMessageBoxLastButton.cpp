#include "lib/osd/messagebox.h"

dword OSDMenuMessageBoxLastButton(void) {
  return MessageBox.CurrentButton;
}
