#include "lib/osd/messagebox.h"
#include "lib/text/text.h"

void OSDMenuMessageBoxInitialize(const char* title, const char* text) {
  if (InfoBoxOSDRgn) OSDMenuInfoBoxDestroy();
  if (MessageBoxOSDRgn) OSDMenuMessageBoxDestroy();
  OSDMenuLoadStdFonts();
  MessageBoxAllowScrollOver = 0;
  MessageBox.NrButtons = 0;
  MessageBox.CurrentButton = 0;
  MessageBoxNoNormalMode = 0;
  MessageBoxBody.Fitted = false;
  // Title and text keep their character-table selection bytes; each is cut to its field
  // and always terminated. A missing text leaves its field empty.
  char* const fields[] = {MessageBox.Title, MessageBox.Text};
  const char* const texts[] = {title, text};
  for (int i = 0; i < 2; ++i) {
    fields[i][0] = '\0';
    if (texts[i]) strncpyUC(fields[i], texts[i], MESSAGEBOX_TEXT_SIZE);
    fields[i][MESSAGEBOX_TEXT_SIZE - 1] = '\0';
  }
}
