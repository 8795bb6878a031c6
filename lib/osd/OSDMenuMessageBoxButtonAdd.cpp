#include <string.h>

#include "lib/osd/messagebox.h"

void OSDMenuMessageBoxButtonAdd(const char* label) {
  if (!label || MessageBox.NrButtons >= MESSAGEBOX_MAX_BUTTONS) return;
  char* button = MessageBox.Button[MessageBox.NrButtons];
  strncpy(button, label, MESSAGEBOX_TEXT_SIZE);
  button[MESSAGEBOX_TEXT_SIZE - 1] = '\0';
  MessageBox.NrButtons++;
}
