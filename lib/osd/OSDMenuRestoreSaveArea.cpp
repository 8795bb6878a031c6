#include "lib/firmware/firmware.h"
#include "lib/osd/osd.h"

void OSDMenuRestoreSaveArea(void) {
  if (!InfoBoxSaveArea) return;
  // The saved block is as large as the panel. It was taken at a screen position; MyOSDRgn
  // takes region coordinates, the menu's region covers the screen from its corner.
  const dword width = _InfoBox_Gd.width, height = _InfoBox_Gd.height;
  if (MyOSDRgn) {
    const TYPE_OsdMapEntry* map = FIS_vOsdMap();
    if (map)
      TAP_Osd_RestoreBox(MyOSDRgn, dword(InfoBoxSaveAreaX - map[MyOSDRgn].x),
                         dword(InfoBoxSaveAreaY - map[MyOSDRgn].y), width, height, InfoBoxSaveArea);
  } else if (OSDRgn) {
    TAP_Osd_RestoreBox(OSDRgn, dword(InfoBoxSaveAreaX), dword(InfoBoxSaveAreaY), width, height,
                       InfoBoxSaveArea);
  }
  TAP_MemFree(InfoBoxSaveArea);
  InfoBoxSaveArea = nullptr;
  MyOSDRgn = 0;
}
