#include "lib/ini/ini.h"

dword INITextLength(void) {
  if (!INIBuffer) return 0;
  // The buffer is zeroed beyond the text, which may hold zero bytes of its own.
  dword length = BufferSize;
  while (length && !INIBuffer[length - 1])
    length--;
  return length;
}
