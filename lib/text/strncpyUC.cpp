#include <string.h>

#include "lib/text/text.h"

char* strncpyUC(char* dst, const char* src, dword n) {
  if (!dst || !src) return nullptr;
  // Selection bytes go across as raw bytes (a selection cut by the terminator only
  // as far as it reaches), never more than the limit allows.
  const char* text = SkipCharTableBytes(src);
  dword selection = (dword)(text - src);
  if (selection > n) selection = n;
  memcpy(dst, src, selection);
  strncpy(dst + selection, text, n - selection);
  return dst;
}
