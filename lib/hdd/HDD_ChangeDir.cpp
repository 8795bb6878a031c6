#include <string.h>

#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"
#include "lib/text/text.h"

bool ReturnTypeToBeChecked = true;
int ChDirSuccessful = 0;

bool HDD_ChangeDir(const char* directory) {
  if (ReturnTypeToBeChecked) {
    // Firmwares differ in what their change of directory returns on success, so
    // the answer for a folder that is always there is taken as the success value.
    // The way back is only taken when the way here was saved; a pop without its
    // push would take a caller's saved directory.
    bool saved = HDD_TAP_PushDir();
    ChDirSuccessful = TAP_Hdd_ChangeDir("/ProgramFiles");
    ReturnTypeToBeChecked = false;
    if (saved) HDD_TAP_PopDir();
  }
  if (!directory || !*directory) return false;

  char work[HDD_PATH_SIZE] = "";
  if (!HDD_PathAppend(work, directory) || !HDD_PathEndWithSlash(work)) return false;
  char target[HDD_PATH_SIZE];
  ConvertPathType(work, target, PATH_TAP_DIR);
  if (!*target) return false;
  if (TAP_Hdd_ChangeDir(target) == ChDirSuccessful) return true;

  // A UTF-8 firmware keeps its folder names in UTF-8; a name typed in the
  // broadcast code page is found in that form. The result may grow to three bytes
  // per byte but must still be a path the host can take.
  if (!isUTFFirmware()) return false;
  char utf8[3 * HDD_PATH_SIZE + 1];
  if (!StrToUTF8(target, utf8, 9) || strlen(utf8) >= HDD_PATH_SIZE) return false;
  return TAP_Hdd_ChangeDir(utf8) == ChDirSuccessful;
}
