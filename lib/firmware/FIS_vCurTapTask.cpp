#include "lib/firmware/firmware.h"

dword* FIS_CurTapTaskAddress = nullptr;

dword* FIS_vCurTapTask(void) {
  if (!FIS_CurTapTaskAddress)
    FIS_CurTapTaskAddress = static_cast<dword*>(TryResolve("_curTapTask"));
  return FIS_CurTapTaskAddress;
}
