#include <string.h>

#include "lib/text/text.h"

void InsertAt(char* str, int pos, const char* insert) {
  if (!str || !insert) return;
  // Positions count characters of the text; the selection bytes stay in front.
  char* at = GetUCPos(str, pos < 0 ? 0 : pos);
  const size_t insertLength = strlen(insert);
  memmove(at + insertLength, at, strlen(at) + 1);
  memcpy(at, insert, insertLength);
}
