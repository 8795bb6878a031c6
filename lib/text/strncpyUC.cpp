#include <string.h>

#include "lib/text/text.h"

char* strncpyUC(char* dst, const char* src, dword n) {
  if (!dst || !src) return nullptr;
  // Selection bytes may hold a zero (0x10 0x00 N), so they go across as raw
  // bytes, never more than the limit allows.
  const char* text = SkipCharTableBytes(src);
  dword selection = (dword)(text - src);
  if (selection > n) selection = n;
  memcpy(dst, src, selection);
  strncpy(dst + selection, text, n - selection);
  return dst;
}
