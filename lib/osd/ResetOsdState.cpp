#include <unistd.h>

#include "lib/osd/event.h"
#include "lib/osd/messagebox.h"
#include "lib/osd/messagewin.h"

void ResetOsdState(void) {
  OSDRgn = InfoBoxOSDRgn = WaitSpinnerRgn = ProgressBarOSDRgn = ColorPickerOSDRgn = MyOSDRgn = 0;
  InfoBoxExitButton = 0;
  InfoBoxSaveArea = nullptr;
  InfoBoxSaveAreaX = InfoBoxSaveAreaY = 0;
  LastUnprocessedOSDMenuKey = 0;
  InfoBoxTimeOut = 0;
  WaitSpinnerIndex = 0;
  ColorPickerColor = ColorPickerDefaultColor = 0;
  CurrentColorSelected = COLORPICKER_Red;
  MessageBox = tMessageBox{};
  MessageBoxBody = tMessageBoxBody{};
  MessageBoxOSDRgn = 0;
  MessageBoxAllowScrollOver = MessageBoxNoNormalMode = 0;
  MessageWinRgn = 0;
  // The fonts' blocks are forgotten with the rest; their files are closed.
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts) {
    if (slot.font->FileHandle > 0) close(slot.font->FileHandle);
    *slot.font = FMUC_Font{};
  }
}
