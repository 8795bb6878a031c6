#include <string.h>

#include "lib/hdd/hdd.h"

char TAPDirStack[TAP_DIR_STACK_DEPTH][TAP_DIR_STACK_ENTRY_SIZE];
int TAPDirStackDepth = -1;

bool HDD_TAP_PushDir(void) {
  int depth = TAPDirStackDepth + 1;
  if (depth >= static_cast<int>(TAP_DIR_STACK_DEPTH)) return false;
  // A directory that the pop could not enter again is not saved at all: the
  // change of directory adds a '/' to it. A cut one could name another folder.
  char current[HDD_PATH_SIZE];
  if (HDD_TAP_GetCurrentDir(current) != 0) return false;
  size_t length = strlen(current);
  if (length + 1 >= HDD_PATH_SIZE || length >= TAP_DIR_STACK_ENTRY_SIZE) return false;
  memcpy(TAPDirStack[depth], current, length + 1);
  TAPDirStackDepth = depth;
  return true;
}
