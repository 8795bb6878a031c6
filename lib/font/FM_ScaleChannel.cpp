#include "lib/font/font.h"

// The recorder's core may have no FPU, so the product is formed as the single-precision
// multiplication would form it, on the factor's bits: the exact product of two integers
// rounded to 24 significant bits (to nearest, ties to even), then truncated toward zero.
byte FM_ScaleChannel(dword value, dword factorBits) {
  const bool negative = (factorBits >> 31) != 0;
  const dword exponent = (factorBits >> 23) & 0xFF;
  dword mantissa = factorBits & 0x7FFFFF;
  // Not a number, an infinity, and zero times infinity all show as full.
  if (exponent == 0xFF) return 255;
  value &= 0xFF;
  int scale = -149;  // the weight of a subnormal factor's lowest mantissa bit
  if (exponent != 0) {
    mantissa |= 0x800000;
    scale = static_cast<int>(exponent) - 150;
  }
  // Below 2^8 times below 2^24: the exact product fits 32 bits.
  dword product = value * mantissa;
  if (product == 0) return 0;

  int bits = 0;
  for (dword rest = product; rest; rest >>= 1)
    ++bits;
  if (bits > 24) {
    const int dropped = bits - 24;
    const dword rest = product & ((1u << dropped) - 1);
    const dword half = 1u << (dropped - 1);
    product >>= dropped;
    if (rest > half || (rest == half && (product & 1))) ++product;  // may reach 2^24, exact
    scale += dropped;
  }

  // The truncated magnitude; anything from 256 up is full.
  dword whole;
  if (scale >= 0) {
    if (scale > 8 || product >= (256u >> scale)) return 255;
    whole = product << scale;
  } else {
    whole = scale <= -32 ? 0 : product >> -scale;
  }
  // A negative product truncates to 0 above -1 and is out of range from -1 down.
  if (negative) return whole == 0 ? 0 : 255;
  return whole >= 256 ? 255 : static_cast<byte>(whole);
}
