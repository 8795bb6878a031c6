#include "lib/osd/messagewin.h"

dword MessageWinRgn = 0;
