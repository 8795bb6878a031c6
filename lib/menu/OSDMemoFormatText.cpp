#include <string.h>

#include "lib/menu/menu.h"

namespace {

// Adds the memo line [start, end) of the working copy as an item; an empty line becomes
// " ", since items need a name.
void AddLine(char* start, char* end) {
  char saved = *end;
  *end = '\0';
  OSDMenuItemAdd(start[0] ? start : " ", nullptr, nullptr, nullptr, 1, 0, 0);
  *end = saved;
}

}  // namespace

void OSDMemoFormatText(void) {
  tMenu& level = Menu[CurrentMenuLevel];
  if (!level.MemoText) return;

  OSDMenuItemsClear();
  FMUC_Font* font = level.MemoFont;
  int spaceWidth = FMUC_GetStringWidth(" ", font);
  dword length = strlen(level.MemoText);
  char* text = static_cast<char*>(TAP_MemAlloc(length + 1));
  if (!text) return;
  memcpy(text, level.MemoText, length + 1);

  char* lineStart = text;
  char* lastBreak = nullptr;  // the last space of the current line
  int lineWidth = 0;
  char* word = text;
  for (;;) {
    char* end = word;
    while (*end && *end != ' ' && *end != '\n')
      end++;
    char separator = *end;
    *end = '\0';
    lineWidth += FMUC_GetStringWidth(word, font);
    *end = separator;
    if (separator == ' ') lineWidth += spaceWidth;

    if (lineWidth < MENU_MEMO_MAX_WIDTH) {
      if (separator == ' ') {
        lastBreak = end;
        word = end + 1;
        continue;
      }
      AddLine(lineStart, end);
      if (!separator) break;
      lineStart = word = end + 1;
    } else if (lastBreak) {
      // Too wide: the line ends at its last space and the word that did not fit starts
      // the next one, measured again there.
      AddLine(lineStart, lastBreak);
      lineStart = word = lastBreak + 1;
    } else {
      // A single word wider than the line stands alone.
      AddLine(lineStart, end);
      if (!separator) break;
      lineStart = word = end + 1;
    }
    lastBreak = nullptr;
    lineWidth = 0;
  }
  TAP_MemFree(text);
}
