#include <string.h>

#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"

static_assert(dword{TAP_SLOT_PATH_SIZE} == dword{HDD_PATH_SIZE}, "a slot's path is a full path");

TAPSlotID TAPSlotIDs[TAP_TABLE_SLOTS];

dword HDD_TAP_GetIDByIndex(dword index) {
  if (index >= TAP_TABLE_SLOTS) return 0;
  TYPE_TapEntry* table = FIS_vTAPTable();
  if (!table) return 0;
  const TYPE_TapEntry& entry = table[index];
  TAPSlotID& kept = TAPSlotIDs[index];
  // The event cycle asks on every event while the prompt shows: an unchanged slot whose
  // image path is the one read before answers without a file call.
  if (kept.table == table && memcmp(&kept.entry, &entry, sizeof entry) == 0 && entry.file &&
      entry.file->info && entry.file->info->path &&
      strncmp(entry.file->info->path, kept.path, sizeof kept.path) == 0)
    return kept.id;
  kept.table = nullptr;

  // A full path buffer: the image path is whatever the firmware holds.
  char path[HDD_PATH_SIZE];
  if (!HDD_GetAbsolutePathByTypeFile(entry.file, path)) return 0;
  // An image that cannot be read stays so until another is started in the slot: its
  // id 0 is kept as well.
  TAPInfo info;
  kept.table = table;
  kept.entry = entry;
  kept.id = HDD_TAP_GetInfo(path, &info) ? info.id : 0;
  memcpy(kept.path, path, strlen(path) + 1);
  return kept.id;
}
