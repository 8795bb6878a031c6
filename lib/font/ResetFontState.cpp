#include <string.h>

#include "lib/font/font.h"

void ResetFontState(void) {
  memset(AlphaLUT, 0, sizeof AlphaLUT);
  memset(FMUC_Memory, 0, sizeof FMUC_Memory);
}
