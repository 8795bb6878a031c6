#include "lib/ini/ini.h"

void INICloseFile(void) {
  if (INIBuffer) {
    TAP_MemFree(INIBuffer);
    INIBuffer = nullptr;
    BufferSize = 0;
  }
  if (INICommentBuffer) {
    TAP_MemFree(INICommentBuffer);
    INICommentBuffer = nullptr;
  }
}
