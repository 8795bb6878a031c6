#include <stdio.h>
#include <string.h>

#include "lib/hdd/hdd.h"

void HDD_Delete(const char* fileName) {
  HDD_FileFamily family;
  if (!HDD_GetFileFamily(fileName, &family)) return;

  // Whatever plays or records the file stops first. The main file is asked for,
  // not the name given: a recording named by its ".nav" file is still played. A
  // recording that is played while it records is asked for again once its
  // playback stopped, so that nothing goes on writing into a removed file.
  for (int round = 0; round < 2; ++round) {
    dword use = HDD_isFileInUse(family.fullPath);
    if (use == IN_USE_PLAYBACK || use == IN_USE_PLAYBACK_MODE5) {
      TAP_Hdd_StopTs();
      TAP_Hdd_StopMp3();
      continue;
    }
    if (use >= IN_USE_RECORDING_BASE && use <= IN_USE_RECORDING_BASE + 3)
      TAP_Hdd_StopRecord(static_cast<byte>(use - IN_USE_RECORDING_BASE));
    break;
  }

  remove(family.fullPath);
  if (!family.isRecording) return;

  // Most recordings lack some side files; a failed removal changes nothing.
  const char* deletedSuffix = family.isDeleted ? ".del" : "";
  char sidePath[HDD_PATH_SIZE];
  for (const HDD_FamilySide& side : HDD_FamilySides) {
    const char* sideExtension = side.withExtension ? family.extension : "";
    if (family.part)
      TAP_SPrint(sidePath, "%s%s-%d%s%s%s", family.directory, family.baseName, family.part,
                 sideExtension, side.ending, deletedSuffix);
    else
      TAP_SPrint(sidePath, "%s%s%s%s%s", family.directory, family.baseName, sideExtension,
                 side.ending, deletedSuffix);
    remove(sidePath);
  }
}
