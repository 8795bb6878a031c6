#include "lib/osd/messagebox.h"
#include "lib/text/text.h"

bool OSDMenuMessageBoxReadsOn(const char* line) {
  const byte first = static_cast<byte>(line[0]);
  return first == SELECT_TWO_BYTE || first == SELECT_TABLE_BYTE;
}
