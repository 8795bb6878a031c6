#include <string.h>

#include "lib/hdd/hdd.h"

bool HDD_PathEndWithSlash(char* path) {
  size_t used = strlen(path);
  if (used && path[used - 1] == '/') return true;
  return HDD_PathAppend(path, "/");
}
