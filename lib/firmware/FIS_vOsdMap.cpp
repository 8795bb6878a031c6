#include "lib/firmware/firmware.h"

TYPE_OsdMapEntry* FIS_OsdMapAddress = nullptr;

TYPE_OsdMapEntry* FIS_vOsdMap(void) {
  if (!FIS_OsdMapAddress)
    FIS_OsdMapAddress = static_cast<TYPE_OsdMapEntry*>(TryResolve("_osdInfo"));
  return FIS_OsdMapAddress;
}
