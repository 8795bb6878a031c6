#include "lib/text/text.h"

char* GetUCPos(const char* str, int n) {
  if (!str) return nullptr;
  return AdvanceUC(SkipCharTableBytes(str), n);
}
