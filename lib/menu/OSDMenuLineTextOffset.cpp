#include "lib/menu/menu.h"

int OSDMenuLineTextOffset(int visibleLines) {
  // The small lines have no room above the text.
  return visibleLines == 15 || visibleLines == 18 ? 0 : 5;
}
