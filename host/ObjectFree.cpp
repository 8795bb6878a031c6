#include "host/runtime.h"
#include "host/tap.h"

void ObjectFree(void* block) {
  if (block) TAP_MemFree(block);
}
