#include <string.h>

#include "lib/hdd/hdd.h"

bool HDD_GetAbsolutePathByTypeFile(const TYPE_File* file, char* destination) {
  if (destination) destination[0] = '\0';
  if (!file || !destination || !file->info || !file->info->path) return false;
  const char* path = file->info->path;
  size_t length = strlen(path);
  if (length >= HDD_PATH_SIZE) return false;
  memcpy(destination, path, length + 1);
  return true;
}
