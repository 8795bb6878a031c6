// scrapdeck-stand: plays a recorder and runs a plug-in image in it.
//
//   scrapdeck-stand [--disk-from DIR] [--disk DIR] IMAGE
//       loads the image, starts it and reports what happened;
//   scrapdeck-stand [--disk-from DIR] [--disk DIR] [--shots DIR] [FAULT] IMAGE SCENARIO|-
//       runs a recorder scenario (stand/README.md) and exits 0 when every
//       expectation held, 1 at the first that did not, 2 when it cannot read it.
//   scrapdeck-stand --serve [ADDRESS:]PORT [--disk-from DIR] [--disk DIR] [--setup FILE.scn] IMAGE
//       serves the recorder as a web page (stand/serve.h), on 127.0.0.1 unless
//       an address is given, until SIGINT or SIGTERM.
// In every mode, with --disk-from the recorder's disk starts as a copy of DIR, and
// with --disk it is copied to DIR at the end (DIR must not hold anything yet). FAULT
// arms one fault for the run: --fail-alloc K, --fail-call NAME K or --missing SYMBOL.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "stand/scenario.h"
#include "stand/serve.h"
#include "stand/stand.h"

namespace fs = std::filesystem;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: scrapdeck-stand [--disk-from DIR] [--disk DIR] [--shots DIR] [--fail-alloc "
               "K | --fail-call NAME K | --missing SYMBOL] IMAGE [SCENARIO|-]\n"
               "       scrapdeck-stand --serve [ADDRESS:]PORT [--disk-from DIR] [--disk DIR] "
               "[--setup FILE.scn] IMAGE\n");
  return 2;
}

// --disk DIR receives the disk at the end. A folder that holds anything already is
// refused before the run, so that nothing there is lost: a mistyped folder, or one
// meant to start the disk from, as "--serve --disk DIR" once did.
bool DiskFolderFree(const std::string& disk) {
  std::error_code ec;
  if (disk.empty() || !fs::exists(disk, ec) ||
      (fs::is_directory(disk, ec) && fs::is_empty(disk, ec)))
    return true;
  std::fprintf(stderr,
               "scrapdeck-stand: --disk %s: the disk is copied there at the end, and it holds "
               "something already; to start the recorder's disk as a copy of it, use "
               "--disk-from %s\n",
               disk.c_str(), disk.c_str());
  return false;
}

void KeepDisk(const std::string& disk) {
  if (disk.empty() || stand::DiskRoot().empty()) return;  // no recorder ran
  std::error_code ec;
  fs::create_directories(disk, ec);
  fs::copy(stand::DiskRoot(), disk, fs::copy_options::recursive, ec);
  if (ec)
    std::fprintf(stderr, "scrapdeck-stand: cannot copy the disk to %s: %s\n", disk.c_str(),
                 ec.message().c_str());
  else
    std::printf("disk left in %s\n", disk.c_str());
}

int Start(const std::string& image, const std::string& diskFrom, const std::string& disk) {
  stand::Reset();
  stand::Plugin plugin;
  std::string error;
  if (!diskFrom.empty() && !stand::CopyOntoDisk(diskFrom, error)) {
    std::fprintf(stderr, "scrapdeck-stand: %s\n", error.c_str());
    return 2;
  }
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
  KeepDisk(disk);
  stand::UnloadPlugin(plugin);
  return result == 1 ? 0 : 1;
}

// A count of 1 or more, whole word only.
bool Count(const char* text, size_t& count) {
  char* end = nullptr;
  unsigned long long v = std::strtoull(text, &end, 10);
  if (!*text || *end || v == 0 || text[0] == '-') return false;
  count = static_cast<size_t>(v);
  return true;
}

bool KnownCall(const std::string& name) {
  for (const std::string& call : stand::HostCallNames())
    if (call == name) return true;
  return false;
}

bool KnownObject(const std::string& name) {
  for (const char* object : {"_tapTask", "_curTapTask", "_hddRecordFile", "_osdInfo",
                             "_Z26Appl_ConvertToValidUTF8StrPhi"})
    if (name == object) return true;
  return false;
}

// The live stand: the image alone, no faults, no scenario.
int Serve(const std::string& address, const std::string& setup, const std::string& diskFrom,
          const std::vector<std::string>& positional, int faults, const std::string& shots) {
  if (address.empty() || positional.size() != 1 || faults || !shots.empty()) return Usage();
#ifdef SCRAPDECK_STAND_SERVE
  stand::ServeOptions options;
  if (!stand::ParseServeAddress(address, options)) return Usage();
  options.image = positional[0];
  options.diskFrom = diskFrom;
  options.setup = setup;
  return stand::Serve(options);
#else
  (void)setup;
  (void)diskFrom;
  std::fprintf(stderr, "scrapdeck-stand: this stand was built without the live page\n");
  return 2;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::string disk, shots, serve, setup;
  std::vector<std::string> positional;
  stand::ScenarioOptions options;
  int faults = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--disk") && i + 1 < argc) {
      disk = argv[++i];
    } else if (!std::strcmp(argv[i], "--disk-from") && i + 1 < argc) {
      options.diskFrom = argv[++i];
    } else if (!std::strcmp(argv[i], "--shots") && i + 1 < argc) {
      shots = argv[++i];
    } else if (!std::strcmp(argv[i], "--serve") && i + 1 < argc) {
      serve = argv[++i];
    } else if (!std::strcmp(argv[i], "--setup") && i + 1 < argc) {
      setup = argv[++i];
    } else if (!std::strcmp(argv[i], "--fail-alloc") && i + 1 < argc) {
      if (!Count(argv[++i], options.failAllocation)) return Usage();
      ++faults;
    } else if (!std::strcmp(argv[i], "--fail-call") && i + 2 < argc) {
      options.failHostCall = argv[++i];
      if (!KnownCall(options.failHostCall) || !Count(argv[++i], options.failHostCallAt))
        return Usage();
      ++faults;
    } else if (!std::strcmp(argv[i], "--missing") && i + 1 < argc) {
      options.missingSymbol = argv[++i];
      if (!KnownObject(options.missingSymbol)) return Usage();
      ++faults;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return Usage();
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (positional.empty() || positional.size() > 2 || faults > 1) return Usage();
  if (!DiskFolderFree(disk)) return 2;
  if (!serve.empty() || !setup.empty()) {
    int code = Serve(serve, setup, options.diskFrom, positional, faults, shots);
    KeepDisk(disk);
    return code;
  }
  if (positional.size() == 1) {
    if (faults) return Usage();
    return Start(positional[0], options.diskFrom, disk);
  }

  options.image = positional[0];
  const std::string& file = positional[1];
  std::ifstream in;
  if (file != "-") {
    in.open(file);
    if (!in) {
      std::fprintf(stderr, "scrapdeck-stand: cannot read %s\n", file.c_str());
      return 2;
    }
    options.name = fs::path(file).filename().string();
    options.baseDir = fs::path(file).parent_path().string();
  } else {
    options.name = "stdin";
    options.baseDir = ".";
  }
  options.shotDir = shots;
  auto result = stand::RunScenario(file == "-" ? std::cin : in, options, std::cout, std::cerr);
  KeepDisk(disk);
  return result;
}
