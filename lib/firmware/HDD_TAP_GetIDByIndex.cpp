#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"

dword HDD_TAP_GetIDByIndex(dword index) {
  if (index >= TAP_TABLE_SLOTS) return 0;
  TYPE_TapEntry* table = FIS_vTAPTable();
  if (!table) return 0;
  // A full path buffer: the image path is whatever the firmware holds.
  char path[HDD_PATH_SIZE];
  if (!HDD_GetAbsolutePathByTypeFile(table[index].file, path)) return 0;
  TAPInfo info;
  return HDD_TAP_GetInfo(path, &info) ? info.id : 0;
}
