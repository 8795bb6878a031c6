#include <string.h>

#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"

namespace {

// A zeroed buffer of size bytes as INIBuffer; false when memory is short.
bool NewBuffer(dword size) {
  INIBuffer = static_cast<char*>(TAP_MemAlloc(size));
  if (!INIBuffer) {
    BufferSize = 0;
    return false;
  }
  BufferSize = size;
  TAP_MemSet(INIBuffer, 0, size);
  return true;
}

// Opens the file, or its backup when only that survived a failed save.
TYPE_File* OpenFileOrBackup(const char* name) {
  if (TAP_Hdd_Exist(name)) return TAP_Hdd_Fopen(name);
  char backup[INI_NAME_SIZE];
  return INIBackupName(name, backup) ? TAP_Hdd_Fopen(backup) : nullptr;
}

}  // namespace

dword INIOpenFile(const char* name, const char* appName) {
  // Without a saved directory the caller's one could not be restored.
  if (!HDD_TAP_PushDir()) return INILOCATION_NotFound;
  dword location = INILocateFile(name, appName);
  // A search that could not look everywhere cannot say the file is new.
  if (location >= INILOCATION_Invalid) {
    HDD_TAP_PopDir();
    return INILOCATION_NotFound;
  }
  if (location == INILOCATION_NotFound) {
    HDD_TAP_PopDir();
    return NewBuffer(INI_BLOCK_SIZE) ? INILOCATION_NewFile : INILOCATION_NotFound;
  }

  TYPE_File* file = OpenFileOrBackup(name);
  if (!file) {
    HDD_TAP_PopDir();
    return INILOCATION_NotFound;
  }
  dword length = TAP_Hdd_Flen(file);
  // Room for the text and the terminator, with at least 513
  // bytes to spare; a length near the top of the range would wrap the size.
  if (length > 0xFFFFFFFFu - 2 * INI_BLOCK_SIZE ||
      !NewBuffer((length / INI_BLOCK_SIZE + 2) * INI_BLOCK_SIZE)) {
    TAP_Hdd_Fclose(file);
    HDD_TAP_PopDir();
    return INILOCATION_NotFound;
  }
  // An empty file reads as nothing to read; anything else must arrive whole, or the
  // text would be a stump that a later save writes over the real file.
  // The text is kept byte for byte, line ends and zero bytes included: a save writes
  // back unchanged whatever it does not change.
  bool complete = length == 0 || TAP_Hdd_Fread(INIBuffer, length, 1, file) == 1;
  TAP_Hdd_Fclose(file);
  if (complete && !INITextLength()) memcpy(INIBuffer, "\r\n", 3);
  HDD_TAP_PopDir();
  return complete ? location : INILOCATION_NotFound;
}
