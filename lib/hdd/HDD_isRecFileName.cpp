#include "lib/hdd/hdd.h"

bool HDD_isRecFileName(const char* name) {
  if (!name || !*name) return false;
  return StringEndsWith(name, ".rec") || StringEndsWith(name, ".mpg") ||
         StringEndsWith(name, ".ts");
}
