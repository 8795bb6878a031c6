#include "lib/osd/event.h"

dword WaitSpinnerIndex = 0;
