// scrapdeck-stand: plays a recorder and runs a plug-in image in it.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "stand/stand.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: scrapdeck-stand [--disk DIR] IMAGE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string disk;
  std::string image;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--disk") && i + 1 < argc) {
      disk = argv[++i];
    } else if (argv[i][0] == '-' || !image.empty()) {
      return Usage();
    } else {
      image = argv[i];
    }
  }
  if (image.empty()) return Usage();

  stand::Reset();
  stand::Plugin plugin;
  std::string error;
  if (!stand::LoadPlugin(image, 0, plugin, error)) {
    std::fprintf(stderr, "scrapdeck-stand: %s\n", error.c_str());
    return 1;
  }
  std::printf("loaded %s into slot %u as %s\n", image.c_str(), plugin.slot,
              plugin.diskPath.c_str());
  std::printf("entries: TAP_Main and TAP_EventHandler registered\n");
  int result = stand::CallMain(plugin);
  std::printf("TAP_Main returned %d\n", result);
  std::printf("log:\n%s", stand::Log().c_str());
  auto mem = stand::Memory();
  std::printf("memory: %zu blocks, %zu bytes live, %zu allocations\n", mem.liveBlocks,
              mem.liveBytes, mem.allocations);
  if (!disk.empty()) {
    std::filesystem::create_directories(disk);
    std::filesystem::copy(stand::DiskRoot(), disk,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    std::printf("disk left in %s\n", disk.c_str());
  }
  stand::UnloadPlugin(plugin);
  return result == 1 ? 0 : 1;
}
