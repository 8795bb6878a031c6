#include <string.h>

#include "lib/osd/messagebox.h"

void OSDMenuMessageBoxEllipsis(char* line, dword width, dword fontSize) {
  static const char kEllipsis[] = "\xE2\x80\xA6";  // U+2026
  static const char kDots[] = "...";
  FMUC_Font* font = OSDMenuStdFont(fontSize);
  const bool hasEllipsis =
      font && font->FileHandle > 0 && FMUC_GetGlyphData(font, kEllipsis, nullptr);
  const char* mark = hasEllipsis ? kEllipsis : kDots;
  const dword markWidth = OSDMenuGetW(mark, fontSize);
  char* stop = line + strlen(line);
  while (stop > line && (stop[-1] == ' ' || OSDMenuGetW(line, fontSize) + markWidth > width)) {
    stop = FMUC_PrevCharStart(line, stop);
    *stop = '\0';
  }
  strcpy(stop, mark);
}
