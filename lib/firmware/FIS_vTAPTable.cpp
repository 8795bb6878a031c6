#include "lib/firmware/firmware.h"

TYPE_TapEntry* FIS_TAPTableAddress = nullptr;

TYPE_TapEntry* FIS_vTAPTable(void) {
  if (!FIS_TAPTableAddress)
    FIS_TAPTableAddress = static_cast<TYPE_TapEntry*>(TryResolve("_tapTask"));
  return FIS_TAPTableAddress;
}
