#include <string.h>

#include "lib/osd/messagebox.h"

dword OSDMenuMessageBoxFitText(char* text, dword maxLines, dword width, dword fontSize,
                               const char** lines, char (*work)[MESSAGEBOX_LINE_SIZE]) {
  if (!text || !lines || !work) return 0;
  if (maxLines > MESSAGEBOX_MAX_LINES) maxLines = MESSAGEBOX_MAX_LINES;
  char* raw[MESSAGEBOX_MAX_LINES];
  bool more = false;  // text past the last line kept
  const dword rawCount = OSDMenuMessageBoxSplitLines(text, raw, &more);

  // A line that fits is shown as it stands, exactly as it always was. One that does not
  // is cut into pieces that do. One line more than shown tells that the text goes on.
  char utf8[MESSAGEBOX_UTF8_SIZE];
  dword count = 0;
  bool full = false;  // more lines than maxLines
  for (dword i = 0; i < rawCount && !full; ++i) {
    const bool readsOn = OSDMenuMessageBoxReadsOn(raw[i]);
    if (!readsOn) OSDMenuMessageBoxLineToUTF8(raw[i], utf8);
    if (readsOn || OSDMenuGetW(utf8, fontSize) <= width) {
      if (count == maxLines) {
        full = true;
      } else {
        lines[count++] = raw[i];
      }
      continue;
    }
    for (const char* p = utf8; *p;) {
      if (count == maxLines) {
        full = true;
        break;
      }
      const char* next = p;
      const char* end = OSDMenuMessageBoxPieceEnd(p, width, fontSize, &next);
      OSDMenuMessageBoxCopyLine(work[count], p, dword(end - p));
      lines[count] = work[count];
      ++count;
      p = next;
    }
  }
  if (!(more || full) || count == 0) return count;

  // The last line shown says that the text goes on, in UTF-8 in its work line.
  char* last = work[count - 1];
  if (lines[count - 1] != last) {
    if (OSDMenuMessageBoxReadsOn(lines[count - 1])) return count;  // left as it is
    OSDMenuMessageBoxLineToUTF8(lines[count - 1], utf8);
    OSDMenuMessageBoxCopyLine(last, utf8, dword(strlen(utf8)));
    lines[count - 1] = last;
  }
  OSDMenuMessageBoxEllipsis(last, width, fontSize);
  return count;
}
