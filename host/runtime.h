// The little C++ runtime the image carries itself, since it links with none: object
// memory from the host's allocator, and the stop for a fault the plug-in cannot survive.
// The core's image support and the settings window's objects both build on it.
#ifndef SCRAPDECK_HOST_RUNTIME_H
#define SCRAPDECK_HOST_RUNTIME_H

#include <stddef.h>

// Allocates an object's memory from the host, leaving the trace the recorder's
// log has always shown for object allocation. Null when the host has no memory.
void* ObjectAlloc(size_t size);

// Releases memory from ObjectAlloc; null is ignored.
void ObjectFree(void* block);

// A fault the plug-in cannot recover from (a pure virtual call): park the plug-in
// thread for good instead of taking the recorder down.
[[noreturn]] void FatalStop(void);

#endif
