#include "lib/osd/messagebox.h"

tMessageBox MessageBox;
word MessageBoxOSDRgn = 0;
dword MessageBoxAllowScrollOver = 0;
dword MessageBoxNoNormalMode = 0;
