#include "lib/font/font.h"

dword FM_AlphaBlendRGB(byte coverage, dword foreColor, dword backColor, float factor) {
  return FM_BlendRGB(coverage, foreColor, backColor, FM_FactorBits(factor));
}
