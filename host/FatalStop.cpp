#include "host/runtime.h"
#include "host/tap.h"

void FatalStop(void) {
  for (;;)
    TAP_Sleep(1000);
}
