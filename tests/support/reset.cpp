#include <unistd.h>

#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"
#include "lib/menu/menu.h"
#include "lib/osd/event.h"
#include "lib/osd/messagebox.h"
#include "lib/osd/messagewin.h"
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
  // The record slot count is learned again; no image stays open.
  MaxRecStreams = 0;
  ELFCleanup();
  // The settings file's buffers and the settings window went with the stand's
  // memory; the settings table starts from its defaults again.
  INIBuffer = nullptr;
  BufferSize = 0;
  INICommentBuffer = nullptr;
  win = nullptr;
  config_reset();
  // The menu's item arrays and tile region went with the stand; the menu and the other
  // on-screen elements start closed.
  for (tMenu& level : Menu)
    level = tMenu{};
  CurrentMenuLevel = 0;
  OSDDirty = TitleDirty = ButtonsDirty = LogoDirty = ListDirty = 0;
  MenuCursorType = MENUCURSOR_Blue;
  OSDMenuSelectionBarRgn = 0;
  OSDMenuLastCursor = MENUTILE_None;
  OSDRgn = InfoBoxOSDRgn = WaitSpinnerRgn = ColorPickerOSDRgn = 0;
  LastUnprocessedOSDMenuKey = 0;
  InfoBoxTimeOut = 0;
  WaitSpinnerIndex = 0;
  ColorPickerColor = ColorPickerDefaultColor = 0;
  CurrentColorSelected = COLORPICKER_Red;
  // The message box starts closed and empty; its saved background went with the stand's
  // memory. The standard fonts' blocks went too, but their files are still open.
  MessageBox = tMessageBox{};
  MessageBoxOSDRgn = ProgressBarOSDRgn = MyOSDRgn = 0;
  // The message window's region went with the stand.
  MessageWinRgn = 0;
  MessageBoxAllowScrollOver = MessageBoxNoNormalMode = InfoBoxExitButton = 0;
  InfoBoxSaveArea = nullptr;
  InfoBoxSaveAreaX = InfoBoxSaveAreaY = 0;
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts) {
    if (slot.font->FileHandle > 0) close(slot.font->FileHandle);
    *slot.font = FMUC_Font{};
  }
}
