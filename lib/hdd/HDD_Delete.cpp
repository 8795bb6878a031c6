#include <stdio.h>
#include <string.h>

#include "lib/hdd/hdd.h"

void HDD_Delete(const char* fileName) {
  if (!fileName || !*fileName) return;
  // A name relative to the current directory is only removed where that directory
  // is known: the disk root in its place would remove another recording of the name.
  char current[HDD_PATH_SIZE];
  if (fileName[0] != '/' && HDD_TAP_GetCurrentDir(current) != 0) return;
  char fullPath[HDD_PATH_SIZE];
  ConvertPathType(fileName, fullPath, PATH_LINUX_FILE);
  if (!fullPath[0]) return;

  // Naming a side file ".inf" or ".nav" means its recording.
  static const char* const sideEndings[] = {".rec.inf", ".rec.nav", ".mpg.inf",
                                            ".mpg.nav", ".ts.inf",  ".ts.nav"};
  for (const char* ending : sideEndings)
    if (StringEndsWith(fullPath, ending)) fullPath[strlen(fullPath) - 4] = '\0';

  char directory[HDD_PATH_SIZE];
  char baseName[HDD_FILE_NAME_SIZE];
  char extension[HDD_FILE_NAME_SIZE];
  int part = 0;
  bool isRecording = false;
  bool isDeleted = false;
  if (!SeparateFileNameComponents(fullPath, directory, baseName, extension, &part, &isRecording,
                                  &isDeleted))
    return;

  // Every name of the family must fit its text before anything is touched; the
  // longest is the ".inf"/".nav" one or the ".cut.bak" one.
  static const struct {
    const char* ending;
    bool withExtension;
  } family[] = {
      {".inf", true}, {".nav", true}, {".cut", false}, {".cut.bak", false}, {".srt", false},
  };
  const char* deletedSuffix = isDeleted ? ".del" : "";
  size_t stem = strlen(directory) + strlen(baseName) + (part ? 2 : 0) + strlen(deletedSuffix);
  if (isRecording) {
    for (const auto& side : family)
      if (stem + (side.withExtension ? strlen(extension) : 0) + strlen(side.ending) >=
          HDD_PATH_SIZE)
        return;
  }

  // Whatever plays or records the file stops first. The main file is asked for,
  // not the name given: a recording named by its ".nav" file is still played. A
  // recording that is played while it records is asked for again once its
  // playback stopped, so that nothing goes on writing into a removed file.
  for (int round = 0; round < 2; ++round) {
    dword use = HDD_isFileInUse(fullPath);
    if (use == IN_USE_PLAYBACK || use == IN_USE_PLAYBACK_MODE5) {
      TAP_Hdd_StopTs();
      TAP_Hdd_StopMp3();
      continue;
    }
    if (use >= IN_USE_RECORDING_BASE && use <= IN_USE_RECORDING_BASE + 3)
      TAP_Hdd_StopRecord(static_cast<byte>(use - IN_USE_RECORDING_BASE));
    break;
  }

  remove(fullPath);
  if (!isRecording) return;

  // Most recordings lack some side files; a failed removal changes nothing.
  char sidePath[HDD_PATH_SIZE];
  for (const auto& side : family) {
    const char* sideExtension = side.withExtension ? extension : "";
    if (part)
      TAP_SPrint(sidePath, "%s%s-%d%s%s%s", directory, baseName, part, sideExtension, side.ending,
                 deletedSuffix);
    else
      TAP_SPrint(sidePath, "%s%s%s%s%s", directory, baseName, sideExtension, side.ending,
                 deletedSuffix);
    remove(sidePath);
  }
}
