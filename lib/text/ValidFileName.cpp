#include <string.h>

#include "lib/text/text.h"

namespace {
// Longest cleaned text in bytes, whatever room the caller gives.
const size_t kMaxCleanedBytes = 127;
}  // namespace

char* ValidFileName(const char* src, dword flags, char* dst, int dstSize) {
  if (!dst) return dst;
  size_t out = 0;
  if (src && *src && strlen(src) < (size_t)(dstSize > 0 ? dstSize : 0)) {
    for (const char* p = src; *p;) {
      if (!isLegalChar(p, flags)) {
        p++;
        continue;
      }
      byte length;
      // A sequence goes whole or not at all, so the output never ends inside
      // one; sequences stop one byte short of the limit.
      const size_t limit = isUTF8Char(p, &length) ? kMaxCleanedBytes - 1 : kMaxCleanedBytes;
      if (out + length > limit) break;
      memcpy(dst + out, p, length);
      out += length;
      p += length;
    }
  }
  if (dstSize > 0) dst[out] = 0;
  return dst;
}
