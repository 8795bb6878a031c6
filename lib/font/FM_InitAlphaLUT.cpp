#include "lib/font/font.h"

void FM_InitAlphaLUT(dword foreColor, dword backColor, float factor) {
  const dword factorBits = FM_FactorBits(factor);
  if (factorBits != FM_FACTOR_ONE) {
    for (dword i = 0; i < 255; ++i) {
      AlphaLUT[i][0] = FM_BlendChannel(i, foreColor >> 16, backColor >> 16, factorBits);
      AlphaLUT[i][1] = FM_BlendChannel(i, foreColor >> 8, backColor >> 8, factorBits);
      AlphaLUT[i][2] = FM_BlendChannel(i, foreColor, backColor, factorBits);
    }
    return;
  }
  // Unscaled, each entry is FM_AlphaBlend's ((255 - i) * back + i * fore) >> 8 (the
  // back channel itself for i = 0): the sums step by fore - back from entry to entry.
  for (int shift = 16, channel = 0; channel < 3; shift -= 8, ++channel) {
    const int fore = static_cast<int>((foreColor >> shift) & 0xFF);
    const int back = static_cast<int>((backColor >> shift) & 0xFF);
    AlphaLUT[0][channel] = static_cast<byte>(back);
    int sum = 255 * back;
    for (dword i = 1; i < 255; ++i) {
      sum += fore - back;
      AlphaLUT[i][channel] = static_cast<byte>(sum >> 8);
    }
  }
}
