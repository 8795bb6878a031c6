#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"

bool LibInitialized = false;
int TAP_TableIndex = -1;

bool InitTAPex(void) {
  if (LibInitialized) return true;
  // The first call comes from code the firmware runs for this plug-in, so the
  // running plug-in's index is our own slot; it is kept for the plug-in's life.
  dword* current = FIS_vCurTapTask();
  if (!current || *current >= TAP_TABLE_SLOTS) return false;
  TAP_TableIndex = static_cast<int>(*current);
  LibInitialized = true;
  return true;
}
