#include <string.h>

#include "lib/hdd/hdd.h"

bool StringEndsWith(const char* text, const char* suffix) {
  if (!text || !suffix || !*text || !*suffix) return false;
  size_t textLength = strlen(text);
  size_t suffixLength = strlen(suffix);
  if (textLength < suffixLength) return false;
  return TAP_MemCmp(text + textLength - suffixLength, suffix, static_cast<dword>(suffixLength)) ==
         0;
}
