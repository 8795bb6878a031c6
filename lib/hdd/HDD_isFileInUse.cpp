#include <string.h>

#include "lib/hdd/hdd.h"

dword HDD_isFileInUse(const char* fileName) {
  if (!fileName || !*fileName) return IN_USE_NONE;
  char path[HDD_PATH_SIZE];
  ConvertPathType(fileName, path, PATH_LINUX_FILE);
  if (!path[0]) return IN_USE_NONE;
  auto cutSideEnding = [](char* text, bool navToo) {
    if (StringEndsWith(text, ".inf") || (navToo && StringEndsWith(text, ".nav")))
      text[strlen(text) - 4] = '\0';
  };
  cutSideEnding(path, false);

  char other[HDD_PATH_SIZE];
  TYPE_PlayInfo play;
  memset(&play, 0, sizeof play);
  if (TAP_Hdd_GetPlayInfo(&play) && play.playMode && play.totalBlock &&
      HDD_GetAbsolutePathByTypeFile(play.file, other)) {
    // The host reports a played recording by its ".inf" side file.
    cutSideEnding(other, true);
    if (strcmp(path, other) == 0)
      return play.playMode == 5 ? IN_USE_PLAYBACK_MODE5 : IN_USE_PLAYBACK;
  }

  dword slots = HDD_NumberOfRECSlots();
  for (dword slot = 0; slot < slots; ++slot) {
    TYPE_File* file = nullptr;
    if (HDD_GetRecSlotFiles(static_cast<byte>(slot), &file, nullptr, nullptr) && file &&
        HDD_GetAbsolutePathByTypeFile(file, other) && strcmp(path, other) == 0)
      return IN_USE_RECORDING_BASE + slot;
  }
  return IN_USE_NONE;
}
