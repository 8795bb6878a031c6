#include "lib/osd/osd.h"

byte* InfoBoxSaveArea = nullptr;
int InfoBoxSaveAreaX = 0;
int InfoBoxSaveAreaY = 0;
