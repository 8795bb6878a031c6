#include <string.h>

#include "lib/hdd/hdd.h"

void ResetHddState(void) {
  ReturnTypeToBeChecked = true;
  ChDirSuccessful = 0;
  memset(TAPDirStack, 0, sizeof TAPDirStack);
  TAPDirStackDepth = -1;
  LibInitialized = false;
  TAP_TableIndex = -1;
  MaxRecStreams = 0;
}
