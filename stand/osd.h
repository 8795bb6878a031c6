// The stand's on-screen display, as tests and the scenario runner look at it.
//
// Every region the plug-in creates with TAP_Osd_Create owns a buffer of 32-bit ARGB
// pixels (0 = fully transparent at creation). TAP_Osd_Sync composes the shown regions,
// in creation order, over the video plane into the 720 x 576 screen; regions created with
// the memory-only flag (0x8000) are drawn into but never shown. The firmware's region map
// ("_osdInfo", stand::OsdMap()) holds x, y and width of every live handle.
//
// Coordinates given to the inspection calls are those of the host calls: region pixels
// relative to the region's top left corner, screen pixels relative to the screen's.
// Everything here is reset by stand::Reset() (stand::ResetOsd()).
#ifndef SCRAPDECK_STAND_OSD_H
#define SCRAPDECK_STAND_OSD_H

#include <string>
#include <vector>

#include "host/tap.h"
#include "stand/trace.h"

namespace stand {

struct OsdRegion {
  word handle = 0;
  dword x = 0;
  dword y = 0;
  dword width = 0;
  dword height = 0;
  dword flags = 0;
  bool shown = false;  // false for memory-only regions
};

// The live regions in creation order (the order in which they are composed).
std::vector<OsdRegion> Regions();
// True when the handle names a live region.
bool RegionExists(word handle);
// A region's pixel; 0 when the region does not exist or (x, y) lies outside it.
dword RegionPixel(word handle, dword x, dword y);

// A pixel of the screen composed from the regions as they are now (what the next
// TAP_Osd_Sync would show); 0 outside the screen.
dword ScreenPixel(dword x, dword y);
// A pixel of the screen as the last TAP_Osd_Sync showed it (the video plane before the first).
dword SyncedPixel(dword x, dword y);
// Number of TAP_Osd_Sync calls since the reset.
size_t SyncCount();
// Writes the screen composed as in ScreenPixel as a 720 x 576 RGBA PNG, creating the
// file's folder. False when it cannot be written or when the stand was built without
// libpng (the mipsel stand).
bool WritePng(const std::string& path);
// The same picture as the bytes of a PNG file; empty when it cannot be made.
std::string ScreenPng();

// The colour of the video plane under the regions: opaque black after a reset.
void SetVideoColour(dword argb);
dword VideoColour();

// Drawing and mode calls in order (stand/trace.h): Create to SysOsdControl.
const std::vector<TraceEntry>& OsdTrace();
void ClearOsdTrace();

// Firmware state: the normal mode is on after a reset; TAP_ExitNormal leaves it and
// TAP_EnterNormal enters it again.
bool NormalMode();
// The state last given to a TAP_SysOsdControl item (every item is on, 1, after a reset).
dword SysOsdItem(dword item);

// The firmware font of TAP_Osd_PutS at a size selector (0, 1, 2; larger act as 2): the
// width of a text (as TAP_Osd_GetW) and the line height of the font, 0 when the font
// file cannot be read. The fonts are read from SCRAPDECK_STAND_FONT_DIR (environment),
// else the folder the build made them in.
dword FirmwareTextWidth(const std::string& text, byte fontSize);
dword FirmwareLineHeight(byte fontSize);

}  // namespace stand

#endif
