#include "lib/menu/menu.h"
#include "lib/osd/event.h"

bool OSDMenuListEvent(word* event, dword* param1) {
  if (!event || !param1 || *event != HOST_EVENT_KEY) return false;
  dword key = *param1;
  LastUnprocessedOSDMenuKey = 0;
  // Left and Right page through the list unless the level leaves them to the caller.
  bool leftRightPage = !Menu[CurrentMenuLevel].PassLeftRight;

  int (*move)(void) = nullptr;
  switch (key) {
    case KEY_UP:
      move = OSDMenuScrollUp;
      break;
    case KEY_DOWN:
      move = OSDMenuScrollDown;
      break;
    case KEY_PAGEUP_1:
    case KEY_PAGEUP_2:
      move = OSDMenuScrollPageUp;
      break;
    case KEY_PAGEDOWN_1:
    case KEY_PAGEDOWN_2:
      move = OSDMenuScrollPageDown;
      break;
    case KEY_LEFT:
      if (leftRightPage) move = OSDMenuScrollPageUp;
      break;
    case KEY_RIGHT:
      if (leftRightPage) move = OSDMenuScrollPageDown;
      break;
  }
  if (!move) {
    // OK, Exit and the rest are the caller's to act on.
    LastUnprocessedOSDMenuKey = key;
    return false;
  }
  move();
  OSDMenuUpdate(0);
  *param1 = 0;
  return true;
}
