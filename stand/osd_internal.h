// What the stand's on-screen display modules share: the regions and pixel arithmetic.
#ifndef SCRAPDECK_STAND_OSD_INTERNAL_H
#define SCRAPDECK_STAND_OSD_INTERNAL_H

#include <cstdint>
#include <string>
#include <vector>

#include "stand/osd.h"

namespace stand::osd {

struct Region {
  word handle = 0;
  dword x = 0, y = 0, width = 0, height = 0, flags = 0;
  std::vector<dword> pixels;  // width * height, row by row from the top

  dword& At(dword px, dword py) { return pixels[size_t(py) * width + px]; }
};

// The live region of a handle, or null (handle 0 never names one).
Region* Find(word handle);

// A rectangle in region coordinates, wholly inside its region.
struct Rect {
  dword x = 0, y = 0, width = 0, height = 0;
};
// Cuts the rectangle (x, y, width, height) to the region; false when nothing is left.
// Signed 64-bit arguments, so that no host value can wrap round into the region.
bool Clip(const Region& region, int64_t x, int64_t y, int64_t width, int64_t height, Rect& out);

// `coverage` (0..255) of `fore` over `back`, every channel including alpha.
dword Mix(dword fore, dword back, unsigned coverage);
// `source` laid over `destination` by the source's alpha.
dword Over(dword source, dword destination);

void Trace(TraceEntry entry);

// Points the drawing and text calls of the host table at the stand.
void ResetDrawing();
void ResetText();

// The regions as they are now, composed over the video plane: 720 * 576 pixels. The
// first form reuses the buffer it is given (the stand composes at every sync).
void ComposeScreen(std::vector<dword>& screen);
std::vector<dword> ComposeScreen();

}  // namespace stand::osd

#endif
