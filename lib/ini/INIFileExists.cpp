#include "lib/ini/ini.h"

bool INIFileExists(const char* name) {
  if (TAP_Hdd_Exist(name)) return true;
  // A save that failed half-way leaves the complete copy under the backup name.
  char backup[INI_NAME_SIZE];
  return INIBackupName(name, backup) && TAP_Hdd_Exist(backup);
}
