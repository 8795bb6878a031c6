#include "lib/text/text.h"

void GetStringEncoding(const char* str, dword* hasAnsi, dword* hasUTF8) {
  dword ansi = 0;
  dword utf8 = 0;
  if (str && *str) {
    for (const char* p = SkipCharTableBytes(str); *p;) {
      byte length;
      if (isUTF8Char(p, &length)) {
        utf8 = 1;
      } else if ((byte)*p >= 0xA0) {
        ansi = 1;
      }
      p += length;
    }
  }
  if (hasAnsi) *hasAnsi = ansi;
  if (hasUTF8) *hasUTF8 = utf8;
}
