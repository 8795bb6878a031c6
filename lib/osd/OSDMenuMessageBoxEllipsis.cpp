#include <string.h>

#include "lib/osd/messagebox.h"

void OSDMenuMessageBoxEllipsis(const char** line, char* work, dword width, dword fontSize) {
  static const char kEllipsis[] = "\xE2\x80\xA6";  // U+2026
  static const char kDots[] = "...";
  if (*line != work) {
    if (OSDMenuMessageBoxReadsOn(*line)) return;
    char utf8[MESSAGEBOX_UTF8_SIZE];
    OSDMenuMessageBoxLineToUTF8(*line, utf8);
    OSDMenuMessageBoxCopyLine(work, utf8, dword(strlen(utf8)));
    *line = work;
  }
  FMUC_Font* font = OSDMenuStdFont(fontSize);
  const bool hasEllipsis =
      font && font->FileHandle > 0 && FMUC_GetGlyphData(font, kEllipsis, nullptr);
  const char* mark = hasEllipsis ? kEllipsis : kDots;
  const dword markWidth = OSDMenuGetW(mark, fontSize);
  char* stop = work + strlen(work);
  while (stop > work && (stop[-1] == ' ' || OSDMenuGetW(work, fontSize) + markWidth > width)) {
    stop = FMUC_PrevCharStart(work, stop);
    *stop = '\0';
  }
  strcpy(stop, mark);
}
