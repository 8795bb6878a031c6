#include <string.h>

#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"

dword INILocateFile(const char* name, const char* appName) {
  if (!name || !*name) return INILOCATION_NotFound;
  if (INIFileExists(name)) return INILOCATION_AtCurrentDir;

  // Where to stand afterwards: the deepest folder holding the file, else where the
  // search began.
  // A search elsewhere could not find its way back to a directory it cannot read.
  char remembered[HDD_PATH_SIZE];
  if (HDD_TAP_GetCurrentDir(remembered) != 0) return INILOCATION_NotFound;
  if (!remembered[0]) strcpy(remembered, "/");

  dword result = INILOCATION_NotFound;
  if (HDD_ChangeDir("/ProgramFiles")) {
    if (INIFileExists(name)) {
      result = INILOCATION_AtProgramFiles;
      strcpy(remembered, "/ProgramFiles");
    }
    if (HDD_ChangeDir("Settings")) {
      if (INIFileExists(name)) {
        result = INILOCATION_AtSettings;
        strcpy(remembered, "/ProgramFiles/Settings");
      }
      if (appName && appName[0] && appName[0] != '/' && HDD_ChangeDir(appName) &&
          INIFileExists(name))
        return INILOCATION_AtAppName;
    }
  }
  HDD_ChangeDir(remembered);
  return result;
}
