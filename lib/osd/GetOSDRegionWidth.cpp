#include "lib/firmware/firmware.h"
#include "lib/osd/osd.h"

dword GetOSDRegionWidth(word region) {
  const TYPE_OsdMapEntry* map = FIS_vOsdMap();
  if (!map) return 0;
  return map[region].width;
}
