#include "lib/ini/ini.h"

bool INIWriteFile(const char* name, const char* text, dword length) {
  if (TAP_Hdd_Exist(name) && (!TAP_Hdd_Delete(name) || TAP_Hdd_Exist(name))) return false;
  if (!TAP_Hdd_Create(name, ATTR_FILE)) return false;
  TYPE_File* file = TAP_Hdd_Fopen(name);
  bool complete = false;
  if (file) {
    // An empty text is no block at all; there is nothing to write then.
    complete = length == 0 || TAP_Hdd_Fwrite(text, length, 1, file) == 1;
    complete = complete && TAP_Hdd_Flen(file) == length;
    TAP_Hdd_Fclose(file);
  }
  // A stump must not stay behind: it would be read as the settings next time.
  if (!complete) TAP_Hdd_Delete(name);
  return complete;
}
