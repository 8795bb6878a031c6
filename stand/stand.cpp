#include "stand/stand.h"

namespace stand {

void Reset() {
  ResetMemory();
  ResetClock();
  ResetDisk();
  ResetFirmware();
  ResetRecorder();
  ResetOsd();
}

}  // namespace stand
