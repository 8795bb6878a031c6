#include <string.h>

#include "lib/text/text.h"

void DeleteAt(char* str, int pos, int count) {
  if (!str || !*str || count == 0) return;
  char* from = GetUCPos(str, pos < 0 ? 0 : pos);
  // Counted from the first deleted character itself, which may be a control
  // byte and must not be taken for a selection; stops at the terminator, so a
  // count beyond the end truncates the string at pos.
  const char* to = AdvanceUC(from, count);
  memmove(from, to, strlen(to) + 1);
}
