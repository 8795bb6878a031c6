#include "lib/menu/menu.h"
#include "lib/osd/osd.h"

namespace {

// Lays the tile side by side over (x, y, width), the last copy cut to what is left. The
// tile is put once into a memory-only region and copied from there while it stays cached.
void PaintTiles(const TYPE_GrData& tile, int cacheCode, dword x, dword y, dword width) {
  if (!tile.width) return;
  if (OSDMenuLastCursor != cacheCode) {
    if (OSDMenuSelectionBarRgn) TAP_Osd_Delete(OSDMenuSelectionBarRgn);
    OSDMenuSelectionBarRgn = TAP_Osd_Create(0, 0, tile.width, tile.height, 0, OSD_FLAG_MEMORY);
    OSDMenuLastCursor = MENUTILE_None;
    if (!OSDMenuSelectionBarRgn) return;
    TAP_Osd_PutGd(OSDMenuSelectionBarRgn, 0, 0, &tile, false);
    OSDMenuLastCursor = cacheCode;
  }
  dword done = 0;
  while (done + tile.width <= width) {
    TAP_Osd_Copy(OSDMenuSelectionBarRgn, OSDRgn, 0, 0, tile.width, tile.height, x + done, y, false);
    done += tile.width;
  }
  if (done < width)
    TAP_Osd_Copy(OSDMenuSelectionBarRgn, OSDRgn, 0, 0, width - done, tile.height, x + done, y,
                 false);
}

}  // namespace

void OSDMenuDrawCursor(dword x, dword y, dword width, dword height) {
  switch (MenuCursorType) {
    case MENUCURSOR_None:
      return;
    case MENUCURSOR_Frame:
      TAP_Osd_FillBox(OSDRgn, x, y, width, 2, MENU_CURSOR_FRAME_COLOUR);
      TAP_Osd_FillBox(OSDRgn, x + width - 2, y, 2, height, MENU_CURSOR_FRAME_COLOUR);
      TAP_Osd_FillBox(OSDRgn, x, y + height - 2, width, 2, MENU_CURSOR_FRAME_COLOUR);
      TAP_Osd_FillBox(OSDRgn, x, y, 2, height, MENU_CURSOR_FRAME_COLOUR);
      return;
    case MENUCURSOR_Blue:
    case MENUCURSOR_BlueAndDark:
      break;
    default:
      return;
  }

  const TYPE_GrData* blue = &_Cursor_Blue_Normal_Gd;
  const TYPE_GrData* dark = &_Cursor_Dark_Normal_Gd;
  if (height == 19) {
    blue = &_Cursor_Blue_Tiny_Gd;
    dark = &_Cursor_Dark_Tiny_Gd;
  } else if (height == 23) {
    blue = &_Cursor_Blue_Small_Gd;
    dark = &_Cursor_Dark_Small_Gd;
  }
  PaintTiles(*blue, MENUTILE_Blue, x, y, width);
  if (MenuCursorType == MENUCURSOR_BlueAndDark && width > 4)
    PaintTiles(*dark, MENUTILE_Dark, x + 2, y, width - 4);
}
