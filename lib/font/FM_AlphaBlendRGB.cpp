#include "lib/font/font.h"

dword FM_AlphaBlendRGB(byte coverage, dword foreColor, dword backColor, float factor) {
  const dword red = FM_AlphaBlend(coverage, foreColor >> 16, backColor >> 16, factor);
  const dword green = FM_AlphaBlend(coverage, foreColor >> 8, backColor >> 8, factor);
  const dword blue = FM_AlphaBlend(coverage, foreColor, backColor, factor);
  return (red << 16) | (green << 8) | blue;
}
