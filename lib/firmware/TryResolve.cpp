#include <dlfcn.h>

#include "lib/firmware/firmware.h"

void* TryResolve(const char* symbolName) {
  if (!symbolName) return nullptr;
  // The firmware's own global scope; opened and closed on every lookup, so the
  // plug-in holds no loader handle between events.
  void* scope = dlopen(nullptr, RTLD_LAZY | RTLD_GLOBAL);
  if (!scope) return nullptr;
  dlerror();
  void* address = dlsym(scope, symbolName);
  if (dlerror()) address = nullptr;
  dlclose(scope);
  return address;
}
