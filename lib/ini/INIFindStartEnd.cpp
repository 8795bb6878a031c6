#include <stddef.h>
#include <string.h>

#include "lib/ini/ini.h"
#include "lib/text/text.h"

namespace {

bool StartsWord(const char* text, const char* candidate) {
  if (candidate == text) return true;
  char before = candidate[-1];
  // A zero byte ends a value as a line end does, so a key may follow it.
  return before == '\n' || before == '\r' || before == '\t' || before == ' ' || before == '\0';
}

bool EndsLine(char c) {
  return c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

void INIFindStartEnd(const char* pattern, char** start, char** end, dword maxLength) {
  if (!start || !end || maxLength == 0) return;
  *start = nullptr;
  *end = nullptr;
  if (!INIBuffer || !pattern) return;

  // The text may hold zero bytes: each piece between them is searched in turn.
  char* const textEnd = INIBuffer + INITextLength();
  char* candidate = nullptr;
  for (char* piece = INIBuffer; piece < textEnd && !candidate; piece += strlen(piece) + 1) {
    candidate = stricstr(piece, pattern);
    while (candidate && !StartsWord(INIBuffer, candidate))
      candidate = stricstr(candidate + 1, pattern);
  }
  if (!candidate) return;
  *start = candidate;

  // The line end is looked for behind the pattern, so that a key holding a line
  // break can never put the end before the start. The search matched the pattern
  // without its leading selection bytes, so only those characters are stepped over:
  // a key that starts with such bytes must not step past the end of the text.
  // Whatever the file's line ends (CR LF, LF or CR alone), the value ends before the
  // first of them; on a last line without one it ends with the text.
  char* lineEnd = candidate + strlen(SkipCharTableBytes(pattern));
  while (lineEnd < textEnd && !EndsLine(*lineEnd))
    lineEnd++;
  *end = lineEnd - 1;
  if (*end - candidate >= static_cast<ptrdiff_t>(maxLength)) *end = candidate + maxLength - 1;
}
