#include "lib/hdd/hdd.h"

bool HDD_PathHasDotParts(const char* path) {
  if (!path) return false;
  // A part starts at the text's start or after a '/' and ends at a '/' or the end.
  for (const char* part = path; *part; ++part) {
    if (part != path && part[-1] != '/') continue;
    int dots = part[0] == '.' ? (part[1] == '.' ? 2 : 1) : 0;
    if (dots && (part[dots] == '/' || part[dots] == '\0')) return true;
  }
  return false;
}
