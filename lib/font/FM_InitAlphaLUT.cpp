#include "lib/font/font.h"

void FM_InitAlphaLUT(dword foreColor, dword backColor, float factor) {
  for (dword i = 0; i < 255; ++i) {
    AlphaLUT[i][0] = FM_AlphaBlend(i, foreColor >> 16, backColor >> 16, factor);
    AlphaLUT[i][1] = FM_AlphaBlend(i, foreColor >> 8, backColor >> 8, factor);
    AlphaLUT[i][2] = FM_AlphaBlend(i, foreColor, backColor, factor);
  }
}
