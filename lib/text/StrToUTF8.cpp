#include <string.h>

#include "lib/text/text.h"

bool StrToUTF8(const char* src, char* dst, byte defaultTable) {
  if (!src || !dst) return false;
  // A C string holds no zero byte, so a selection or a two-byte text is read only
  // as far as its terminator: nothing after that belongs to it.
  return StrToUTF8Length(src, (dword)strlen(src), dst, defaultTable);
}
