#include <string.h>

#include "lib/osd/messagebox.h"
#include "lib/text/text.h"

void OSDMenuMessageBoxLineToUTF8(const char* line, char* utf8) {
  // Single bytes without a selection are read as ISO/IEC 8859-9, as the text output does.
  enum : byte { DEFAULT_TABLE = 9 };
  // Control characters stay: they have no glyph, so they take no room, and the text
  // output drops them from each piece.
  dword hasAnsi = 0, hasUTF8 = 0;
  GetStringEncoding(line, &hasAnsi, &hasUTF8);
  if (hasAnsi && !hasUTF8)
    StrToUTF8(line, utf8, DEFAULT_TABLE);
  else
    strcpy(utf8, line);
}
