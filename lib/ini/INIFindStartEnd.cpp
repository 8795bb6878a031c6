#include <stddef.h>
#include <string.h>

#include "lib/ini/ini.h"
#include "lib/text/text.h"

namespace {

bool StartsWord(const char* text, const char* candidate) {
  if (candidate == text) return true;
  char before = candidate[-1];
  return before == '\n' || before == '\r' || before == '\t' || before == ' ';
}

}  // namespace

void INIFindStartEnd(const char* pattern, char** start, char** end, dword maxLength) {
  if (!start || !end || maxLength == 0) return;
  *start = nullptr;
  *end = nullptr;
  if (!INIBuffer || !pattern) return;

  char* candidate = stricstr(INIBuffer, pattern);
  while (candidate && !StartsWord(INIBuffer, candidate))
    candidate = stricstr(candidate + 1, pattern);
  if (!candidate) return;
  *start = candidate;

  // The line end is looked for behind the pattern, so that a key holding a line
  // break can never put the end before the start. The search matched the pattern
  // without its leading selection bytes, so only those characters are stepped over:
  // a key that starts with such bytes must not step past the end of the text.
  char* afterPattern = candidate + strlen(SkipCharTableBytes(pattern));
  char* cr = strchr(afterPattern, '\r');
  char* lf = strchr(afterPattern, '\n');
  if (cr && lf && lf != cr + 1) {
    // A CR alone ends no line while an LF follows later: the line runs to that LF.
    *end = lf - 1;
    return;
  }
  if (cr)
    *end = cr - 1;
  else if (lf)
    *end = lf - 1;
  else
    return;
  if (*end - candidate >= static_cast<ptrdiff_t>(maxLength)) *end = candidate + maxLength - 1;
}
