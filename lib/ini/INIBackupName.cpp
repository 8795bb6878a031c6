#include <string.h>

#include "lib/ini/ini.h"

bool INIBackupName(const char* name, char* backup) {
  static const char suffix[] = ".tmp";
  size_t length = strlen(name);
  if (length + sizeof suffix > INI_NAME_SIZE) {
    backup[0] = '\0';
    return false;
  }
  memcpy(backup, name, length);
  memcpy(backup + length, suffix, sizeof suffix);
  return true;
}
