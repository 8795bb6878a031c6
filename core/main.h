// The plug-in's two entries, called by the recorder through the record that
// __TAP_Init_ fills in.
#ifndef SCRAPDECK_CORE_MAIN_H
#define SCRAPDECK_CORE_MAIN_H

#include "host/tap.h"

int TAP_Main(void);
dword TAP_EventHandler(dword event, dword param1, dword param2);

// The core's module state (the armed stop source, the prompt's timeout and what the stop
// sources found) as at the plug-in's start.
void core_reset(void);

#endif
