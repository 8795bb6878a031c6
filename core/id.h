// The plug-in's identity, as its image sections carry it.
#ifndef SCRAPDECK_CORE_ID_H
#define SCRAPDECK_CORE_ID_H

#include "host/tap.h"

enum : dword { SCRAPDECK_ID = 0x80E32003 };

#define SCRAPDECK_PROGRAM_NAME "Scrapdeck v1.5"
#define SCRAPDECK_DESCRIPTION "Prompt user to delete file after stop."
#define SCRAPDECK_AUTHOR "The Scrapdeck team"

#endif
