#include "lib/text/text.h"

int strlenUC(const char* str) {
  if (!str) return 0;
  int count = 0;
  for (const char* p = SkipCharTableBytes(str); *p; count++) {
    byte length;
    isUTF8Char(p, &length);
    p += length;
  }
  return count;
}
