#include <string.h>

#include "lib/hdd/hdd.h"

bool HDD_PathAppend(char* path, const char* text) {
  size_t used = strlen(path);
  size_t length = strlen(text);
  if (used + length >= HDD_PATH_SIZE) return false;
  memcpy(path + used, text, length + 1);
  return true;
}
