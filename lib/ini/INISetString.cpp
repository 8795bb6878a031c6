#include <string.h>

#include "lib/ini/ini.h"

namespace {

// The buffer size that holds needed bytes: the present size, or one growth step
// more; 0 when even that is too small.
dword SizeFor(size_t needed) {
  if (BufferSize >= needed) return BufferSize;
  dword grown = (BufferSize / INI_GROWTH_SIZE + 1) * INI_GROWTH_SIZE;
  return grown >= needed ? grown : 0;
}

char* NewZeroed(dword size) {
  char* block = static_cast<char*>(TAP_MemAlloc(size));
  if (block) TAP_MemSet(block, 0, size);
  return block;
}

void Adopt(char* block, dword size) {
  TAP_MemFree(INIBuffer);
  INIBuffer = block;
  BufferSize = size;
}

}  // namespace

void INISetString(const char* key, const char* value) {
  if (!key || !value || !INIBuffer) return;
  char pattern[INI_PATTERN_SIZE];
  size_t patternLength = INIMakePattern(key, pattern);
  char* start = nullptr;
  char* end = nullptr;
  INIFindStartEnd(pattern, &start, &end, BufferSize);
  size_t textLength = strnlen(INIBuffer, BufferSize);
  size_t valueLength = strlen(value);

  if (start && end) {
    // Replace: the text before the entry, the key as the caller spells it, the new
    // value, then the old line end and everything after it.
    size_t headLength = static_cast<size_t>(start - INIBuffer);
    const char* tail = end + 1;
    size_t tailLength = textLength - static_cast<size_t>(tail - INIBuffer);
    dword size =
        SizeFor(textLength - static_cast<size_t>(end - start) + patternLength + valueLength + 1);
    char* block = size ? NewZeroed(size) : nullptr;
    if (!block) return;
    char* out = block;
    memcpy(out, INIBuffer, headLength);
    memcpy(out += headLength, pattern, patternLength);
    memcpy(out += patternLength, value, valueLength);
    memcpy(out + valueLength, tail, tailLength);
    Adopt(block, size);
    return;
  }

  dword size = SizeFor(textLength + patternLength + valueLength + 3);
  if (!size) return;
  if (size != BufferSize) {
    char* block = NewZeroed(size);
    if (!block) return;
    memcpy(block, INIBuffer, BufferSize);
    Adopt(block, size);
  }
  char* out = INIBuffer + textLength;
  memcpy(out, pattern, patternLength);
  memcpy(out += patternLength, value, valueLength);
  memcpy(out + valueLength, "\r\n", 3);
}
