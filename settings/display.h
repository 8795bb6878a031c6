// The settings window: a small box in the middle of the screen with a title line
// and one line per setting, drawn with the host's own box and text calls.
#ifndef SCRAPDECK_SETTINGS_DISPLAY_H
#define SCRAPDECK_SETTINGS_DISPLAY_H

#include <stddef.h>

#include "host/tap.h"

// The window on screen: one host region with a framed box.
class WIN {
 public:
  // Switches the host's own display item 1 off, opens the region and draws the
  // empty box.
  WIN(int x, int y, int w, int h);
  // Deletes the region and gives the host its own display back.
  ~WIN();

  // The window lives in the host's memory; null when it has none (no window then).
  static void* operator new(size_t size) noexcept;
  static void operator delete(void* block) noexcept;

  // Draws line row (1 = first setting): the label on the left and the value text
  // from value column x on, inverted when selected.
  void puttextval(int x, int row, const char* label, const char* text, dword colour, bool selected);

  dword region;  // host region handle (16 bits used)
  int width;     // text is cut at width - 6
};

// The one window, or null.
extern WIN* win;

enum : dword {
  WIN_FRAME_COLOUR = 0xFF7F7F7F,
  WIN_BACKGROUND_COLOUR = 0xFF181818,
  WIN_TITLE_COLOUR = 0xFF00FFFF,
  WIN_LABEL_COLOUR = 0xFFFFFFFF,
  WIN_DISABLED_COLOUR = 0xFF404040,
  WIN_NEGATIVE_COLOUR = 0xFFFF0000,
  WIN_POSITIVE_COLOUR = 0xFF00FF00,
  WIN_NUMBER_COLOUR = 0xFFFFFFFF,
};

enum : int {
  WIN_ROW_HEIGHT = 20,
  WIN_MARGIN = 6,
};

// Creates the window when there is none, then draws the title and every setting
// with row selected highlighted and shows it. False when no window could be made.
bool display_config(int selected);
// Removes the window, if there is one.
void display_clear(void);

#endif
