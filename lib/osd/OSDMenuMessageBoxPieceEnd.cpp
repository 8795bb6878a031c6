#include <string.h>

#include "lib/osd/messagebox.h"
#include "lib/text/text.h"

const char* OSDMenuMessageBoxPieceEnd(const char* p, dword width, dword fontSize,
                                      const char** next) {
  dword used = 0;
  const char* cut = p;          // end of the longest piece that fits
  const char* space = nullptr;  // the last space within it
  while (*cut) {
    byte length = 1;
    UTF8ToUTF32(cut, &length);
    char one[5];
    memcpy(one, cut, length);
    one[length] = '\0';
    const dword w = OSDMenuGetW(one, fontSize);
    if ((used + w > width || dword(cut - p) + length > MESSAGEBOX_SHOWN_BYTES) && cut > p) break;
    if (*cut == ' ' && cut > p) space = cut;
    used += w;
    cut += length;
  }
  *next = cut;
  if (*cut && space) {
    cut = space;
    *next = space + 1;
  }
  return cut;
}
