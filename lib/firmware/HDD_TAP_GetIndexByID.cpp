#include "lib/firmware/firmware.h"

int HDD_TAP_GetIndexByID(dword id) {
  for (dword index = 0; index < TAP_TABLE_SLOTS; ++index)
    if (HDD_TAP_GetIDByIndex(index) == id) return static_cast<int>(index);
  return -1;
}
