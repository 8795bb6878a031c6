#include <string.h>

#include "lib/hdd/hdd.h"

bool SeparateFileNameComponents(const char* path, char* directory, char* baseName, char* extension,
                                int* partNumber, bool* isRecording, bool* isDeleted) {
  if (!path || !*path || !baseName) return false;
  const char* slash = strrchr(path, '/');
  const char* name = slash ? slash + 1 : path;
  size_t directoryLength = static_cast<size_t>(name - path);
  size_t nameLength = strlen(name);
  // A name that does not fit is refused whole: a cut name could be the name of
  // another recording's file.
  if (directoryLength >= HDD_PATH_SIZE || nameLength >= HDD_NAME_SIZE) return false;

  if (directory) {
    memcpy(directory, path, directoryLength);
    directory[directoryLength] = '\0';
  }
  memcpy(baseName, name, nameLength + 1);

  bool deleted = StringEndsWith(baseName, ".del");
  if (deleted) baseName[nameLength - 4] = '\0';
  if (isDeleted) *isDeleted = deleted;

  // A side file's ".inf" or ".nav" goes, leaving the recording's own name.
  static const char* const sideEndings[] = {".rec.inf", ".mpg.inf", ".ts.inf",
                                            ".rec.nav", ".mpg.nav", ".ts.nav"};
  for (const char* ending : sideEndings)
    if (StringEndsWith(baseName, ending)) baseName[strlen(baseName) - 4] = '\0';

  if (isRecording) *isRecording = HDD_isRecFileName(baseName);

  char* dot = strrchr(baseName, '.');
  if (extension) {
    if (dot)
      memcpy(extension, dot, strlen(dot) + 1);
    else
      extension[0] = '\0';
  }
  if (dot) *dot = '\0';

  // Only a single digit 1 to 9 after a '-' is a part number; "-0", "-10" and a
  // name that is nothing but "-N" keep their text.
  int part = 0;
  size_t baseLength = strlen(baseName);
  if (baseLength >= 3 && baseName[baseLength - 2] == '-' && baseName[baseLength - 1] >= '1' &&
      baseName[baseLength - 1] <= '9') {
    part = baseName[baseLength - 1] - '0';
    baseName[baseLength - 2] = '\0';
  }
  if (partNumber) *partNumber = part;
  return true;
}
