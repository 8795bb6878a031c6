#include "lib/osd/event.h"

namespace {

// Moves the selected component by delta, kept within 0..255; true when it changed.
bool Change(int delta) {
  dword shift = 16 - 8 * (CurrentColorSelected % 3);
  int value = int((ColorPickerColor >> shift) & 0xFF);
  int changed = value + delta;
  if (changed < 0) changed = 0;
  if (changed > 255) changed = 255;
  if (changed == value) return false;
  ColorPickerColor = (ColorPickerColor & ~(0xFFu << shift)) | (dword(changed) << shift);
  return true;
}

}  // namespace

bool OSDMenuColorPickerEvent(word* event, dword* param1) {
  if (!event || !param1 || *event != HOST_EVENT_KEY) return false;
  dword key = *param1;
  int delta = 0;
  switch (key) {
    case KEY_RED:
    case KEY_GREEN:
    case KEY_BLUE: {
      dword component = key == KEY_RED     ? COLORPICKER_Red
                        : key == KEY_GREEN ? COLORPICKER_Green
                                           : COLORPICKER_Blue;
      if (component != CurrentColorSelected) {
        OSDMenuColorPickerDrawCursor(component, true);
        OSDMenuColorPickerDrawCursor(CurrentColorSelected, false);
        CurrentColorSelected = component;
        TAP_Osd_Sync();
      }
      break;
    }
    case KEY_UP:
      delta = 10;
      break;
    case KEY_DOWN:
      delta = -10;
      break;
    case KEY_RIGHT:
      delta = 1;
      break;
    case KEY_LEFT:
      delta = -1;
      break;
    case KEY_OK:
      OSDMenuColorPickerDestroy();
      break;
    case KEY_EXIT:
      ColorPickerColor = ColorPickerDefaultColor;
      OSDMenuColorPickerDestroy();
      break;
    default:
      LastUnprocessedOSDMenuKey = key;
      return true;
  }
  if (delta && Change(delta)) {
    OSDMenuColorPickerDrawCursor(CurrentColorSelected, true);
    TAP_Osd_Sync();
  }
  *param1 = 0;
  LastUnprocessedOSDMenuKey = 0;
  return true;
}
