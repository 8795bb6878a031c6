// The panel of the message box and the info box: a frame round a title band and a body,
// split by a separator across the full width.
#include "tools/pictures/Picture.h"

namespace pictures {

Picture InfoBox() {
  constexpr uint32_t W = 380, H = 190, FRAME = 2;
  constexpr uint32_t FRAME_COLOUR = 0xFF464646, TITLE_COLOUR = 0xFF202020, BODY_COLOUR = 0xFF282828;
  constexpr uint32_t SEPARATOR_ROW = 34, BODY_ROW = 36;
  Picture p(W, H, FRAME_COLOUR);
  p.Fill(FRAME, FRAME, W - 2 * FRAME, SEPARATOR_ROW - FRAME, TITLE_COLOUR);
  // Rows 34 and 35 keep the frame colour: the separator.
  p.Fill(FRAME, BODY_ROW, W - 2 * FRAME, H - FRAME - BODY_ROW, BODY_COLOUR);
  return p;
}

}  // namespace pictures
