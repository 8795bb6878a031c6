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

// The text's own line end: its first CR LF, LF or CR; CR LF when it has none.
const char* LineEnd(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (text[i] == '\n') return "\n";
    if (text[i] == '\r') return i + 1 < length && text[i + 1] == '\n' ? "\r\n" : "\r";
  }
  return "\r\n";
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
  size_t textLength = INITextLength();
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

  // The new line ends as the text's lines do; a last line without a line end gets
  // one first, or the new entry would join it.
  const char* lineEnd = LineEnd(INIBuffer, textLength);
  const size_t lineEndLength = strlen(lineEnd);
  const bool endLast =
      textLength && INIBuffer[textLength - 1] != '\r' && INIBuffer[textLength - 1] != '\n';
  const size_t needed =
      textLength + (endLast ? lineEndLength : 0) + patternLength + valueLength + lineEndLength + 1;
  dword size = SizeFor(needed);
  if (!size) return;
  if (size != BufferSize) {
    char* block = NewZeroed(size);
    if (!block) return;
    memcpy(block, INIBuffer, BufferSize);
    Adopt(block, size);
  }
  char* out = INIBuffer + textLength;
  if (endLast) {
    memcpy(out, lineEnd, lineEndLength);
    out += lineEndLength;
  }
  memcpy(out, pattern, patternLength);
  memcpy(out += patternLength, value, valueLength);
  memcpy(out + valueLength, lineEnd, lineEndLength + 1);
}
