#include "lib/font/font.h"

dword FM_BlendRGB(byte coverage, dword foreColor, dword backColor, dword factorBits) {
  const dword red = FM_BlendChannel(coverage, foreColor >> 16, backColor >> 16, factorBits);
  const dword green = FM_BlendChannel(coverage, foreColor >> 8, backColor >> 8, factorBits);
  const dword blue = FM_BlendChannel(coverage, foreColor, backColor, factorBits);
  return (red << 16) | (green << 8) | blue;
}
