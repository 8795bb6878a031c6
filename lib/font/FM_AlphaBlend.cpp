#include "lib/font/font.h"

byte FM_AlphaBlend(dword coverage, dword fore, dword back, float factor) {
  const dword a = coverage & 0xFF;
  const dword f = fore & 0xFF;
  const dword b = back & 0xFF;
  if (a == 0) return static_cast<byte>(b);
  if (a == 255) return static_cast<byte>(f);
  const dword blended = ((255 - a) * b + a * f) >> 8;
  // Text is nearly always drawn unscaled; a byte times 1.0 is that byte.
  if (factor == 1.0f) return static_cast<byte>(blended);
  const float scaled = static_cast<float>(blended) * factor;
  // Truncated toward zero, anything outside a byte (or not a number) shows as full.
  if (!(scaled > -1.0f && scaled < 256.0f)) return 255;
  return static_cast<byte>(static_cast<int>(scaled));
}
