#include <string.h>

#include "lib/text/text.h"

char* MakeValidFileName(char* str, dword flags) {
  if (!str) return str;
  char scratch[512];
  ValidFileName(str, flags, scratch, sizeof scratch);
  strcpy(str, scratch);
  return str;
}
