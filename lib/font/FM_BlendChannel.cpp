#include "lib/font/font.h"

byte FM_BlendChannel(dword coverage, dword fore, dword back, dword factorBits) {
  const dword a = coverage & 0xFF;
  const dword f = fore & 0xFF;
  const dword b = back & 0xFF;
  if (a == 0) return static_cast<byte>(b);
  if (a == 255) return static_cast<byte>(f);
  const dword blended = ((255 - a) * b + a * f) >> 8;
  // Text is nearly always drawn unscaled; a byte times 1.0 is that byte.
  if (factorBits == FM_FACTOR_ONE) return static_cast<byte>(blended);
  return FM_ScaleChannel(blended, factorBits);
}
