#include "lib/osd/event.h"

dword LastUnprocessedOSDMenuKey = 0;
