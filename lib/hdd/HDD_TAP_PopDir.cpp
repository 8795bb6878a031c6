#include <string.h>

#include "lib/hdd/hdd.h"

bool HDD_TAP_PopDir(void) {
  if (TAPDirStackDepth < 0) return false;
  // Copied out first: changing directory may save the current one in this very
  // entry (the first change of all learns the host's answer that way).
  char saved[TAP_DIR_STACK_ENTRY_SIZE];
  memcpy(saved, TAPDirStack[TAPDirStackDepth], sizeof saved);
  TAPDirStackDepth--;
  // The disk root is saved as the empty text.
  return HDD_ChangeDir(saved[0] ? saved : "/");
}
