// The plug-in's two entries, called by the recorder through the record that
// __TAP_Init_ fills in.
#ifndef SCRAPDECK_CORE_MAIN_H
#define SCRAPDECK_CORE_MAIN_H

#include "host/tap.h"

int TAP_Main(void);
dword TAP_EventHandler(dword event, dword param1, dword param2);

#endif
