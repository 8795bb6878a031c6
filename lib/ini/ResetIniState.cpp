#include "lib/ini/ini.h"

void ResetIniState(void) {
  INIBuffer = nullptr;
  BufferSize = 0;
  INICommentBuffer = nullptr;
}
