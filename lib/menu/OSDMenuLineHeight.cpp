#include "lib/menu/menu.h"

int OSDMenuLineHeight(int visibleLines) {
  if (visibleLines == 15) return 23;
  if (visibleLines == 18) return 19;
  return 35;
}
