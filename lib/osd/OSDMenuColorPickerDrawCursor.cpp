#include "lib/osd/event.h"
#include "lib/osd/osd.h"

void OSDMenuColorPickerDrawCursor(dword component, bool selected) {
  if (!ColorPickerOSDRgn || component > COLORPICKER_Blue) return;
  // One slider per component, red at the top: its bar is as long as the component's value.
  enum : dword { X = 10, TOP = 10, PITCH = 30, WIDTH = 258, HEIGHT = 20 };
  dword shift = 16 - 8 * component;
  dword value = (ColorPickerColor >> shift) & 0xFF;
  dword y = TOP + component * PITCH;
  TAP_Osd_FillBox(ColorPickerOSDRgn, X, y, WIDTH, HEIGHT, 0xFF181818);
  if (value)
    TAP_Osd_FillBox(ColorPickerOSDRgn, X + 1, y + 1, value, HEIGHT - 2,
                    0xFF000000 | (0xFFu << shift));
  TAP_Osd_DrawRectangle(ColorPickerOSDRgn, X, y, WIDTH, HEIGHT, 1,
                        selected ? 0xFFFFFFFF : 0xFF606060);
  // The swatch beside the sliders shows the whole colour.
  TAP_Osd_FillBox(ColorPickerOSDRgn, X + WIDTH + 10, TOP, 40, 2 * PITCH + HEIGHT,
                  0xFF000000 | ColorPickerColor);
}
