#include "lib/osd/event.h"

dword InfoBoxTimeOut = 0;
