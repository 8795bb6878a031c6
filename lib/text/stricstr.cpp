#include <string.h>

#include "lib/text/text.h"

namespace {

// ASCII letters only: other bytes, UTF-8 included, must match exactly.
char UpperASCII(char c) {
  return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}
char LowerASCII(char c) {
  return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

}  // namespace

char* stricstr(const char* haystack, const char* needle) {
  if (!haystack || !needle) return nullptr;
  haystack = SkipCharTableBytes(haystack);
  needle = SkipCharTableBytes(needle);
  if (!*needle) return nullptr;
  const char firstCases[3] = {UpperASCII(*needle), LowerASCII(*needle), 0};
  const char* rest = needle + 1;
  for (const char* found = strpbrk(haystack, firstCases); found;
       found = strpbrk(found + 1, firstCases)) {
    // Stops at the first difference, at the latest at the haystack's terminator.
    size_t i = 0;
    while (rest[i] && UpperASCII(found[1 + i]) == UpperASCII(rest[i]))
      i++;
    if (!rest[i]) return const_cast<char*>(found);
  }
  return nullptr;
}
