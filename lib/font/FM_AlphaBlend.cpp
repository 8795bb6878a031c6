#include "lib/font/font.h"

byte FM_AlphaBlend(dword coverage, dword fore, dword back, float factor) {
  return FM_BlendChannel(coverage, fore, back, FM_FactorBits(factor));
}
