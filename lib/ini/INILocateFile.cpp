#include <string.h>
#include <sys/stat.h>

#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"

namespace {

enum Step { ENTERED, ABSENT, BLOCKED };

// Enters a folder of the search, named as the current directory sees it and as a path on
// the disk. A folder that is there but cannot be entered may hold the file: the search
// can then not tell that the file is nowhere. A plain file of that name holds nothing:
// the search goes on as if there were nothing there.
Step Enter(const char* folder, const char* diskPath) {
  if (HDD_ChangeDir(folder)) return ENTERED;
  if (!TAP_Hdd_Exist(folder)) return ABSENT;
  struct stat64 st;
  return diskPath && lstat64(diskPath, &st) == 0 && !S_ISDIR(st.st_mode) ? ABSENT : BLOCKED;
}

}  // namespace

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
  Step step = Enter("/ProgramFiles", "/mnt/hd/ProgramFiles");
  if (step == ENTERED) {
    if (INIFileExists(name)) {
      result = INILOCATION_AtProgramFiles;
      strcpy(remembered, "/ProgramFiles");
    }
    step = Enter("Settings", "/mnt/hd/ProgramFiles/Settings");
    if (step == ENTERED) {
      if (INIFileExists(name)) {
        result = INILOCATION_AtSettings;
        strcpy(remembered, "/ProgramFiles/Settings");
      }
      if (appName && appName[0] && appName[0] != '/') {
        char diskPath[HDD_PATH_SIZE] = "/mnt/hd/ProgramFiles/Settings/";
        step = Enter(appName, HDD_PathAppend(diskPath, appName) ? diskPath : nullptr);
        if (step == ENTERED && INIFileExists(name)) return INILOCATION_AtAppName;
      }
    }
  }
  HDD_ChangeDir(remembered);
  return step == BLOCKED ? INILOCATION_Invalid : result;
}
