#include "lib/firmware/firmware.h"

bool UTFFirmwareFirstCall = true;
bool UTFFirmwareAnswer = false;

bool isUTFFirmware(void) {
  // The firmware's own UTF-8 routine is only there when it works in UTF-8. A
  // firmware does not change its kind while running, so one look is enough.
  if (UTFFirmwareFirstCall) {
    UTFFirmwareAnswer = FIS_fwAppl_ConvertToValidUTF8Str() != nullptr;
    UTFFirmwareFirstCall = false;
  }
  return UTFFirmwareAnswer;
}
