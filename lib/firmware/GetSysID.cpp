#include "lib/firmware/firmware.h"

word GetSysID(void) {
  return static_cast<word>(TAP_GetSystemId() & 0xFFFF);
}
