#include <string.h>

#include "lib/ini/ini.h"

dword INIMakePattern(const char* key, char* pattern) {
  dword length = static_cast<dword>(strnlen(key, INI_PATTERN_SIZE - 2));
  memcpy(pattern, key, length);
  pattern[length++] = '=';
  pattern[length] = '\0';
  return length;
}
