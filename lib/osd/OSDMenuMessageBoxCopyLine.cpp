#include <string.h>

#include "lib/osd/messagebox.h"

void OSDMenuMessageBoxCopyLine(char* to, const char* from, dword count) {
  if (count > MESSAGEBOX_SHOWN_BYTES) count = MESSAGEBOX_SHOWN_BYTES;
  memcpy(to, from, count);
  to[count] = '\0';
}
