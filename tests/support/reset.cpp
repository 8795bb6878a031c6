#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"
#include "settings/config.h"
#include "settings/display.h"
#include "tests/support/stand_test.h"

void ResetToolkitState() {
  FIS_TAPTableAddress = nullptr;
  FIS_CurTapTaskAddress = nullptr;
  FIS_hddRecordFileAddress = nullptr;
  FIS_OsdMapAddress = nullptr;
  FIS_ConvertToValidUTF8StrAddress = nullptr;
  // The model table's block went with the stand's memory.
  FWDATBin = nullptr;
  UTFFirmwareFirstCall = true;
  UTFFirmwareAnswer = false;
  ReturnTypeToBeChecked = true;
  ChDirSuccessful = 0;
  TAPDirStackDepth = -1;
  LibInitialized = false;
  TAP_TableIndex = -1;
  // The settings file's buffers and the settings window went with the stand's
  // memory; the settings table starts from its defaults again.
  INIBuffer = nullptr;
  BufferSize = 0;
  INICommentBuffer = nullptr;
  win = nullptr;
  config_reset();
}
