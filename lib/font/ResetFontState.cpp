#include <string.h>

#include "lib/font/font.h"

void ResetFontState(void) {
  memset(AlphaLUT, 0, sizeof AlphaLUT);
  memset(FMUC_Memory, 0, sizeof FMUC_Memory);
  FMUC_FontNoticeShown = false;
  memset(FMUC_BlendTables, 0, sizeof FMUC_BlendTables);
  FMUC_NextBlendTable = 0;
  memset(FMUC_RecentGlyphs, 0, sizeof FMUC_RecentGlyphs);
}
