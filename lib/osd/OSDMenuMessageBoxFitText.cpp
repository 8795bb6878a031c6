#include <string.h>

#include "lib/osd/messagebox.h"
#include "lib/text/text.h"

namespace {

enum : dword {
  // Single bytes without a selection are read as ISO/IEC 8859-9, as the text output does.
  DEFAULT_TABLE = 9,
  // A line in UTF-8: three bytes for each byte of the text, a selection's bytes, the NUL.
  UTF8_SIZE = 3 * MESSAGEBOX_TEXT_SIZE + 8,
  // The text output draws at most this many bytes of a line.
  SHOWN_BYTES = 127,
};

const char kEllipsis[] = "\xE2\x80\xA6";  // U+2026
const char kDots[] = "...";

// line in UTF-8, as the text output converts it. Control characters stay: they have no
// glyph, so they take no room, and the text output drops them from each piece.
void ToUTF8(const char* line, char* utf8) {
  dword hasAnsi = 0, hasUTF8 = 0;
  GetStringEncoding(line, &hasAnsi, &hasUTF8);
  if (hasAnsi && !hasUTF8)
    StrToUTF8(line, utf8, DEFAULT_TABLE);
  else
    strcpy(utf8, line);
}

// Width of the character at p, which is `length` bytes long.
dword CharWidth(const char* p, byte length, dword fontSize) {
  char one[5];
  memcpy(one, p, length);
  one[length] = '\0';
  return OSDMenuGetW(one, fontSize);
}

// Copies count bytes of from into a shown line.
void CopyLine(char* to, const char* from, dword count) {
  if (count > SHOWN_BYTES) count = SHOWN_BYTES;
  memcpy(to, from, count);
  to[count] = '\0';
}

}  // namespace

dword OSDMenuMessageBoxFitText(char* text, dword maxLines, dword width, dword fontSize,
                               const char** lines, char (*work)[MESSAGEBOX_LINE_SIZE]) {
  if (!text || !lines || !work) return 0;
  if (maxLines > MESSAGEBOX_MAX_LINES) maxLines = MESSAGEBOX_MAX_LINES;

  // The text's lines, each ended by '\r' or '\n'; a separator at the very end opens no
  // line, and whatever follows the seventh line is not shown.
  char* raw[MESSAGEBOX_MAX_LINES];
  dword rawCount = 0;
  char* const end = text + strlen(text);
  for (char* p = text; p < end && rawCount < MESSAGEBOX_MAX_LINES;) {
    raw[rawCount++] = p;
    char* separator = strpbrk(p, "\r\n");
    if (!separator) break;
    *separator = '\0';
    p = separator + 1;
  }

  // A line that fits is shown as it stands, exactly as it always was. One that does not
  // is cut into pieces that do, at the last space that keeps a piece within the width,
  // else after the last character that does. One line more than shown tells that the
  // text goes on.
  char utf8[UTF8_SIZE];
  dword count = 0;
  bool more = false;
  for (dword i = 0; i < rawCount && !more; ++i) {
    // A two-byte text, and a line that starts with the three-byte selection, are read
    // on past a NUL; they are left to the text output's own cut.
    const byte first = static_cast<byte>(raw[i][0]);
    const bool readsOn = first == 0x14 || first == 0x10;
    if (!readsOn) ToUTF8(raw[i], utf8);
    if (readsOn || OSDMenuGetW(utf8, fontSize) <= width) {
      if (count == maxLines) {
        more = true;
      } else {
        lines[count++] = raw[i];
      }
      continue;
    }
    const char* p = utf8;
    while (*p) {
      if (count == maxLines) {
        more = true;
        break;
      }
      dword used = 0;
      const char* cut = p;          // end of the longest piece that fits
      const char* space = nullptr;  // the last space within it
      while (*cut) {
        byte length = 1;
        UTF8ToUTF32(cut, &length);
        const dword w = CharWidth(cut, length, fontSize);
        if ((used + w > width || dword(cut - p) + length > SHOWN_BYTES) && cut > p) break;
        if (*cut == ' ' && cut > p) space = cut;
        used += w;
        cut += length;
      }
      const char* next = cut;
      if (*cut && space) {
        cut = space;
        next = space + 1;
      }
      CopyLine(work[count], p, dword(cut - p));
      lines[count] = work[count];
      ++count;
      p = next;
    }
  }
  if (!more || count == 0) return count;

  // The last line shown ends in an ellipsis (three dots where the font has none), within
  // the width.
  char* last = work[count - 1];
  if (lines[count - 1] != last) {
    const byte first = static_cast<byte>(lines[count - 1][0]);
    if (first == 0x14 || first == 0x10) return count;  // left as it is, as above
    ToUTF8(lines[count - 1], utf8);
    CopyLine(last, utf8, dword(strlen(utf8)));
    lines[count - 1] = last;
  }
  FMUC_Font* font = OSDMenuStdFont(fontSize);
  const bool hasEllipsis =
      font && font->FileHandle > 0 && FMUC_GetGlyphData(font, kEllipsis, nullptr);
  const char* mark = hasEllipsis ? kEllipsis : kDots;
  const dword markWidth = OSDMenuGetW(mark, fontSize);
  char* stop = last + strlen(last);
  while (stop > last && (stop[-1] == ' ' || OSDMenuGetW(last, fontSize) + markWidth > width)) {
    stop = FMUC_PrevCharStart(last, stop);
    *stop = '\0';
  }
  strcpy(stop, mark);
  return count;
}
