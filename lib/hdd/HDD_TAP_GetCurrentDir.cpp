#include <string.h>

#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"

int HDD_TAP_GetCurrentDir(char* destination) {
  if (destination) destination[0] = '\0';
  TYPE_TapEntry* table = FIS_vTAPTable();
  if (!table) return -3;
  if (!LibInitialized && !InitTAPex()) return -3;
  if (!destination) return 0;

  const TYPE_TapDir* dir = table[TAP_TableIndex].dir;
  if (!dir || !dir->path) return 0;
  // The firmware keeps the absolute path; the host's form drops "/mnt/hd". A text
  // too short to carry that prefix is no directory at all.
  if (strnlen(dir->path, DISK_ROOT_LENGTH) < DISK_ROOT_LENGTH) return -3;
  const char* path = dir->path + DISK_ROOT_LENGTH;
  size_t length = strlen(path);
  if (length >= HDD_PATH_SIZE) return -1;
  memcpy(destination, path, length + 1);
  return 0;
}
