// Loading plug-in images the way the recorder does: from its disk, by dlopen,
// registered through __TAP_Init_.
#include <dlfcn.h>

#include <filesystem>

#include "stand/stand.h"

namespace fs = std::filesystem;

namespace stand {

bool LoadPlugin(const std::string& imageFile, dword slot, Plugin& plugin, std::string& error) {
  if (slot >= TAP_TABLE_SLOTS) {
    error = "no such plug-in slot";
    return false;
  }
  std::error_code ec;
  std::string diskPath = ProgramDiskPath(imageFile);
  if (fs::absolute(imageFile) != fs::absolute(HostPath(diskPath))) {
    fs::copy_file(imageFile, HostPath(diskPath), fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = "cannot copy " + imageFile + ": " + ec.message();
      return false;
    }
  }
  // Each stand reset makes a new disk folder, so every load is a fresh image with
  // its own statics, as after a recorder start.
  void* handle = dlopen(HostPath(diskPath).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    error = dlerror();
    return false;
  }
  using Init = int (*)(TYPE_TapEntryPoints*);
  auto init = reinterpret_cast<Init>(dlsym(handle, "__TAP_Init_"));
  TYPE_TapEntryPoints entries{};
  if (!init || !init(&entries) || !entries.main || !entries.eventHandler) {
    error = "the image does not register its entries through __TAP_Init_";
    dlclose(handle);
    return false;
  }
  plugin.handle = handle;
  plugin.entries = entries;
  plugin.slot = slot;
  plugin.diskPath = diskPath;
  SetSlotImage(slot, diskPath);
  SetSlotDir(slot, kProgramFolder);
  SetCurrentSlot(slot);
  return true;
}

void UnloadPlugin(Plugin& plugin) {
  if (plugin.handle) dlclose(plugin.handle);
  plugin = Plugin{};
}

int CallMain(const Plugin& plugin) {
  SetCurrentSlot(plugin.slot);
  return plugin.entries.main();
}

dword CallEvent(const Plugin& plugin, dword event, dword param1, dword param2) {
  SetCurrentSlot(plugin.slot);
  return plugin.entries.eventHandler(event, param1, param2);
}

}  // namespace stand
