#include "lib/ini/ini.h"

void INISetInt(const char* key, int value) {
  char text[16];
  TAP_SPrint(text, "%ld", static_cast<long>(value));
  INISetString(key, text);
}
