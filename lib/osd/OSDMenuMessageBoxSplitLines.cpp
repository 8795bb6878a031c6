#include <string.h>

#include "lib/osd/messagebox.h"

dword OSDMenuMessageBoxSplitLines(char* text, char* raw[MESSAGEBOX_MAX_LINES], bool* cut) {
  dword count = 0;
  char* const end = text + strlen(text);
  char* p = text;
  while (p < end && count < MESSAGEBOX_MAX_LINES) {
    raw[count++] = p;
    char* separator = strpbrk(p, "\r\n");
    if (!separator) {
      p = end;
      break;
    }
    *separator = '\0';
    p = separator + 1;
  }
  // Whatever follows the last line kept is not shown: the body says so.
  *cut = p < end;
  return count;
}
