#include "lib/osd/messagebox.h"

byte OSDMenuFirmwareFontSize(dword fontSize) {
  // The firmware's three text sizes: its smallest covers the standard fonts up to 14
  // pixels, its middle one 16 and 18, its largest the 20-pixel fonts.
  const byte size = byte(fontSize);
  if (size <= 14) return 0;
  return size < 20 ? 1 : 2;
}
