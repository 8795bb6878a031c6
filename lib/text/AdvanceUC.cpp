#include "lib/text/text.h"

char* AdvanceUC(const char* text, int n) {
  if (!text) return nullptr;
  for (; n > 0 && *text; n--) {
    byte length;
    UTF8ToUTF32(text, &length);
    text += length;
  }
  return const_cast<char*>(text);
}
