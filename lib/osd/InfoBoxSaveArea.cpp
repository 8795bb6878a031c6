#include "lib/osd/messagebox.h"

byte* InfoBoxSaveArea = nullptr;
int InfoBoxSaveAreaX = 0;
int InfoBoxSaveAreaY = 0;
