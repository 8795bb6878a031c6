#include <string.h>

#include "lib/hdd/hdd.h"

bool HDD_GetFileFamily(const char* fileName, HDD_FileFamily* family) {
  if (!fileName || !*fileName || !family) return false;
  // A name relative to the current directory is only taken where that directory
  // is known: the disk root in its place would name another recording.
  char current[HDD_PATH_SIZE];
  if (fileName[0] != '/' && HDD_TAP_GetCurrentDir(current) != 0) return false;
  char* fullPath = family->fullPath;
  ConvertPathType(fileName, fullPath, PATH_LINUX_FILE);
  // A "." or ".." part could lead anywhere on the disk, or off it.
  if (!fullPath[0] || HDD_PathHasDotParts(fullPath)) return false;

  // Naming a side file ".inf" or ".nav" means its recording.
  static const char* const sideEndings[] = {".rec.inf", ".rec.nav", ".mpg.inf",
                                            ".mpg.nav", ".ts.inf",  ".ts.nav"};
  for (const char* ending : sideEndings)
    if (StringEndsWith(fullPath, ending)) fullPath[strlen(fullPath) - 4] = '\0';

  family->part = 0;
  family->isRecording = false;
  family->isDeleted = false;
  if (!SeparateFileNameComponents(fullPath, family->directory, family->baseName, family->extension,
                                  &family->part, &family->isRecording, &family->isDeleted))
    return false;
  if (!family->isRecording) return true;

  // Every name of the family must fit its text before anything is touched.
  size_t stem = strlen(family->directory) + strlen(family->baseName) + (family->part ? 2 : 0) +
                (family->isDeleted ? 4 : 0);
  for (dword side = 0; side < HDD_FAMILY_SIDES; ++side) {
    size_t ending = strlen(HDD_FamilySides[side].ending);
    if (HDD_FamilySides[side].withExtension) ending += strlen(family->extension);
    if (stem + ending >= HDD_PATH_SIZE) return false;
  }
  return true;
}
