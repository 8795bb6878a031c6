// Registration: the recorder finds the plug-in through this one exported symbol.
#include "core/main.h"

extern "C" __attribute__((visibility("default"))) int __TAP_Init_(TYPE_TapEntryPoints* entries) {
  if (!entries) return 0;
  entries->main = TAP_Main;
  entries->eventHandler = TAP_EventHandler;
  return 1;
}
