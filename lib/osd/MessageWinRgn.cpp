#include "lib/osd/osd.h"

dword MessageWinRgn = 0;
