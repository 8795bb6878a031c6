#include "lib/font/font.h"

bool FMUC_FontNoticeShown = false;
