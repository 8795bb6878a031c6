#include "lib/firmware/firmware.h"

void* FIS_ConvertToValidUTF8StrAddress = nullptr;

void* FIS_fwAppl_ConvertToValidUTF8Str(void) {
  if (!FIS_ConvertToValidUTF8StrAddress)
    FIS_ConvertToValidUTF8StrAddress = TryResolve("_Z26Appl_ConvertToValidUTF8StrPhi");
  return FIS_ConvertToValidUTF8StrAddress;
}
