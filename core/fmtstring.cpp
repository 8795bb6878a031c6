#include "core/fmtstring.h"

#include <string.h>

const char default_separator_list[] = " _-";

// Position of the preferred break in the next line, or -1. Only positions below
// lineLength are looked at, and the caller guarantees that many source characters.
static int FindBreak(const char* line, int lineLength, int splitStart, const char* separators) {
  for (const char* sep = separators; *sep; ++sep) {
    for (int p = lineLength - 1; p >= splitStart; --p) {
      if (line[p] == *sep) return p;
    }
  }
  return -1;
}

char* fmtstring(char* destination, int destinationSize, const char* source, int lineLength,
                int splitStart, const char* separators) {
  if (!destination || destinationSize < 1) return destination;
  if (lineLength < 1) lineLength = 1;
  if (splitStart < 0) splitStart = lineLength / 2;
  if (!separators) separators = "";

  const char* in = source ? source : "";
  char* out = destination;
  int remaining = static_cast<int>(strlen(in));
  for (;;) {
    // Room left, terminating NUL included; a line adds at most two characters
    // (hyphen and newline), which the bound below keeps room for.
    int space = destinationSize - static_cast<int>(out - destination);
    if (remaining >= space) remaining = space - 1;
    if (remaining <= lineLength) break;

    int p = FindBreak(in, lineLength, splitStart, separators);
    int consumed;
    if (p >= 0) {
      consumed = p + 1;
      memcpy(out, in, consumed);
      out += consumed;
    } else if (lineLength > 1) {
      consumed = lineLength - 1;
      memcpy(out, in, consumed);
      out += consumed;
      *out++ = '-';
    } else {
      // A one-character line has no room for a hyphen: take the character as it
      // is, so that every line still consumes source text.
      consumed = 1;
      *out++ = *in;
    }
    *out++ = '\n';
    in += consumed;
    remaining -= consumed;
  }
  memcpy(out, in, remaining);
  out[remaining] = '\0';
  return destination;
}
