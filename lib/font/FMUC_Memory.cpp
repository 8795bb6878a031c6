#include "lib/font/font.h"

FMUC_MemoryRecord FMUC_Memory[FMUC_MEMORY_RECORDS];
