// Module state of the settings file store.
#include "lib/ini/ini.h"

char* INIBuffer = nullptr;
dword BufferSize = 0;
char* INICommentBuffer = nullptr;
