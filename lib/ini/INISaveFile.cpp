#include <string.h>

#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"

namespace {

// Enters a folder below the current directory, creating it first when missing.
bool EnterFolder(const char* folder) {
  if (!TAP_Hdd_Exist(folder)) TAP_Hdd_Create(folder, ATTR_FOLDER);
  return HDD_ChangeDir(folder);
}

// Goes to the folder that a location code names; location 2 stays where it is.
bool EnterLocation(dword location, const char* appName) {
  if (location == INILOCATION_AtCurrentDir) return true;
  if (!HDD_ChangeDir("/ProgramFiles")) return false;
  if (location == INILOCATION_AtProgramFiles) return true;
  if (!EnterFolder("Settings")) return false;
  return location == INILOCATION_AtSettings || EnterFolder(appName);
}

}  // namespace

dword INISaveFile(const char* name, dword location, const char* appName) {
  if (!INIBuffer || !name || !*name || location >= INILOCATION_Invalid) return 0;
  // An application folder is a name below "Settings"; INILocateFile never looks
  // into one given as an absolute path, so none is written either.
  if (location == INILOCATION_AtAppName && (!appName || !*appName || *appName == '/')) return 0;
  if (location < INILOCATION_AtCurrentDir) location = INILOCATION_AtProgramFiles;
  char backup[INI_NAME_SIZE];
  if (!INIBackupName(name, backup)) return 0;
  if (!HDD_TAP_PushDir()) return 0;

  bool saved = EnterLocation(location, appName);
  if (saved) {
    dword length = INITextLength();
    // The host has no rename, so the new text is written whole under the backup name
    // before the file is replaced: whichever step fails, one complete copy stays on
    // the disk (the old file while the backup is unfinished, the backup once the file
    // is gone), and INIOpenFile reads the backup when the file itself is missing.
    // A backup without a file is the last good copy from an earlier failed save; it
    // is kept until the file is complete again.
    if (TAP_Hdd_Exist(name)) saved = INIWriteFile(backup, INIBuffer, length);
    saved = saved && INIWriteFile(name, INIBuffer, length);
    if (saved && TAP_Hdd_Exist(backup)) TAP_Hdd_Delete(backup);
  }
  HDD_TAP_PopDir();
  return saved ? 1 : 0;
}
