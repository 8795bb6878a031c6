#include "lib/font/font.h"

byte AlphaLUT[256][3];
