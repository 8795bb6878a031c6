// Fault sweeps over the recorder scenarios (tests/system/scenarios, demo, and the ones here
// that save the settings and delete on a UTF-8 recorder). Each runs once clean, to learn
// how many allocations and failable file calls it makes; then once for every one of
// them failing, and once for every firmware object missing. A faulty run need not
// meet the scenario's own expectations, but it must stay safe:
//   - no crash and no sanitizer report (a signal names the run that died);
//   - it removes no file the clean run did not remove (only confirmed families go);
//   - the settings, as the plug-in would read them next (the file, or the backup a
//     failed save left), are still there when they were there before, and hold the
//     original bytes, the clean run's, or one of them with other values of the
//     plug-in's keys (keys may land elsewhere in a faulty run, so the user's choices
//     differ) but never a stump or lost lines;
//   - when the clean run ends with everything closed, the plug-in holds no memory.
// SCRAPDECK_SWEEP_STRIDE=n tries every n-th fault point only (default 1; 3 under
// emulation, where each run is slow).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "stand/osd.h"
#include "stand/scenario.h"
#include "stand/stand.h"

#if defined(__SANITIZE_ADDRESS__)
#define SWEEP_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SWEEP_SANITIZED 1
#endif
#endif
#ifdef SWEEP_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kImage = SCRAPDECK_IMAGE;
const char* const kFirmwareObjects[] = {"_tapTask", "_curTapTask", "_hddRecordFile", "_osdInfo"};
// More reports than this from one scenario only repeat the first ones.
const int kMaxReports = 12;

size_t Stride() {
  if (const char* env = std::getenv("SCRAPDECK_SWEEP_STRIDE")) return std::max(1L, std::atol(env));
#if defined(__mips__)
  return 3;
#else
  return 1;
#endif
}

// ---- The run under way, named when the process dies in it ----
char currentRun[512];

void SayCurrentRun() {
  const char prefix[] = "\nsweep: died in the run ";
  ssize_t ignored = write(2, prefix, sizeof prefix - 1);
  ignored = write(2, currentRun, strnlen(currentRun, sizeof currentRun));
  ignored = write(2, "\n", 1);
  (void)ignored;
}

void OnFatalSignal(int signal) {
  SayCurrentRun();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void WatchForDeath() {
#ifdef SWEEP_SANITIZED
  __sanitizer_set_death_callback(SayCurrentRun);
#else
  for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL})
    std::signal(s, OnFatalSignal);
#endif
  std::signal(SIGABRT, OnFatalSignal);  // the stand's own check of TAP_MemFree
  std::signal(SIGALRM, OnFatalSignal);  // a run that never ends
}

// ---- One run and what it left ----
struct Outcome {
  bool ended = false;
  std::string log;
  size_t allocations = 0;
  std::map<std::string, size_t> calls;
  size_t liveBlocks = 0;
  bool regionsOpen = false;
  std::set<std::string> removals;                    // removed or deleted disk paths
  std::string missing;                               // the firmware object left out
  std::map<std::string, std::string> settingsStart;  // as the next start would read them
  std::map<std::string, std::string> settingsEnd;
};

// Every settings file on the disk as the plug-in would read it: the file itself, or
// the backup of a save that did not finish when the file is missing.
std::map<std::string, std::string> Settings() {
  auto endsWith = [](const std::string& path, const std::string& end) {
    return path.size() > end.size() && path.compare(path.size() - end.size(), end.size(), end) == 0;
  };
  std::map<std::string, std::string> files;
  const std::vector<std::string> disk = stand::ListFiles("/");
  for (const std::string& path : disk)
    if (endsWith(path, ".ini")) files[path] = stand::ReadFile(path);
  for (const std::string& path : disk) {
    std::string file = path.substr(0, path.size() - 4);
    if (endsWith(path, ".ini.tmp") && !files.count(file)) files[file] = stand::ReadFile(path);
  }
  return files;
}

std::optional<std::string> At(const std::map<std::string, std::string>& files,
                              const std::string& path) {
  auto it = files.find(path);
  return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
}

// A settings text without the lines of the plug-in's own keys that hold a whole
// number on a complete line: what is left is what the user's file had besides the
// values. A fault may change which values the user's keys chose, never the rest.
std::optional<std::string> Shape(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  std::string rest;
  std::istringstream in(*text);
  for (std::string line; std::getline(in, line);) {
    bool whole = !in.eof() && !line.empty() && line.back() == '\r';
    bool value = false;
    for (const std::string key : {"prompt_on=", "timeout="}) {
      if (!whole || line.rfind(key, 0) != 0) continue;
      std::string number = line.substr(key.size(), line.size() - key.size() - 1);
      if (!number.empty() && number[0] == '-') number.erase(0, 1);
      value = !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
    }
    if (!value) rest += line + (in.eof() ? "" : "\n");
  }
  return rest;
}

struct Fault {
  size_t allocation = 0;
  std::string call;
  size_t at = 0;
  std::string missing;

  std::string Name() const {
    if (allocation) return "allocation " + std::to_string(allocation);
    if (!call.empty()) return call + " " + std::to_string(at);
    if (!missing.empty()) return "missing " + missing;
    return "clean";
  }
};

class Scenario {
 public:
  explicit Scenario(const fs::path& file) : file_(file) {
    std::ifstream in(file);
    script_.assign(std::istreambuf_iterator<char>(in), {});
  }

  Outcome Run(const Fault& fault, std::string& transcript) const {
    std::snprintf(currentRun, sizeof currentRun, "%s with %s", file_.filename().c_str(),
                  fault.Name().c_str());
    Outcome o;
    stand::ScenarioOptions options;
    options.image = kImage;
    options.name = file_.filename().string();
    options.baseDir = file_.parent_path().string();
    options.snapshots = false;
    options.stopAtFailure = false;
    options.failAllocation = fault.allocation;
    options.failHostCall = fault.call;
    options.failHostCallAt = fault.at;
    options.missingSymbol = fault.missing;
    o.missing = fault.missing;
    options.atStart = [&] { o.settingsStart = Settings(); };
    options.atEnd = [&] {
      o.ended = true;
      o.log = stand::Log();
      stand::MemoryStats m = stand::Memory();
      o.allocations = m.allocations;
      o.liveBlocks = m.liveBlocks;
      for (const std::string& call : stand::HostCallNames())
        o.calls[call] = stand::HostCalls(call);
      o.regionsOpen = !stand::Regions().empty();
      for (const stand::TraceEntry& entry : stand::Trace())
        if (entry.call == stand::Call::Remove || entry.call == stand::Call::HddDelete)
          o.removals.insert(entry.text);
      o.settingsEnd = Settings();
    };
    std::istringstream script(script_);
    std::ostringstream out, err;
    alarm(60);
    stand::RunScenario(script, options, out, err);
    alarm(0);
    transcript = out.str() + err.str();
    return o;
  }

 private:
  fs::path file_;
  std::string script_;
};

// What a faulty run did that it must not do, compared with the clean run.
std::vector<std::string> Violations(const Outcome& clean, const Outcome& run, bool armedCall) {
  std::vector<std::string> found;
  if (!run.ended) found.push_back("the scenario did not run to its end");
  if (armedCall && run.log.find("failed on purpose") == std::string::npos)
    found.push_back("the fault never fired");
  for (const std::string& path : run.removals) {
    // Without the record-file array the firmware names no folder for a recording,
    // and the plug-in looks for a stopped one in "/DataFiles", as it must for
    // recorders that record nowhere else: a recording of the same name there is
    // then the one offered.
    bool noFolders = run.missing == "_hddRecordFile" && path.rfind("/DataFiles/", 0) == 0 &&
                     path.find('/', 11) == std::string::npos;
    if (!clean.removals.count(path) && !noFolders) found.push_back("removed " + path);
  }
  std::set<std::string> paths;
  for (auto& [path, bytes] : run.settingsStart)
    paths.insert(path);
  for (auto& [path, bytes] : clean.settingsEnd)
    paths.insert(path);
  for (auto& [path, bytes] : run.settingsEnd)
    paths.insert(path);
  for (const std::string& path : paths) {
    std::optional<std::string> before = At(run.settingsStart, path);
    std::optional<std::string> after = At(run.settingsEnd, path);
    std::optional<std::string> expected = At(clean.settingsEnd, path);
    if (after == before || after == expected) continue;
    if (before && !after)
      found.push_back(path + " is gone");
    else if (!after || (Shape(after) != Shape(before) && Shape(after) != Shape(expected)))
      found.push_back(path + " holds other bytes: \"" + after.value_or("") + "\"");
  }
  if (clean.liveBlocks == 0 && !clean.regionsOpen && run.liveBlocks)
    found.push_back("the plug-in still holds " + std::to_string(run.liveBlocks) + " blocks");
  return found;
}

std::vector<fs::path> ScenarioFiles() {
  std::vector<fs::path> files;
  for (const char* dir : {"tests/system/scenarios", "demo", "tests/system/sweeps/scenarios"}) {
    std::vector<fs::path> here;
    for (auto& e : fs::directory_iterator(fs::path(SCRAPDECK_SOURCE_DIR) / dir))
      if (e.path().extension() == ".scn") here.push_back(e.path());
    std::sort(here.begin(), here.end());
    files.insert(files.end(), here.begin(), here.end());
  }
  return files;
}

class Sweep : public testing::TestWithParam<fs::path> {};

TEST_P(Sweep, EveryFaultLeavesTheRecorderSafe) {
  WatchForDeath();
  // Every run makes a new recorder disk with the fonts on it: in memory it is quick.
  if (!std::getenv("TMPDIR") && fs::is_directory("/dev/shm")) setenv("TMPDIR", "/dev/shm", 0);
  Scenario scenario(GetParam());
  std::string transcript;
  const Outcome clean = scenario.Run(Fault{}, transcript);
  ASSERT_TRUE(clean.ended) << transcript;
  ASSERT_EQ(transcript.find("not held"), std::string::npos) << transcript;

  std::vector<Fault> faults;
  const size_t stride = Stride();
  for (size_t k = 1; k <= clean.allocations; k += stride)
    faults.push_back(Fault{k, "", 0, ""});
  for (const std::string& call : stand::HostCallNames())
    for (size_t k = 1; k <= clean.calls.at(call); k += stride)
      faults.push_back(Fault{0, call, k, ""});
  for (const char* object : kFirmwareObjects)
    faults.push_back(Fault{0, "", 0, object});

  int reports = 0;
  std::map<std::string, size_t> tried;
  for (const Fault& fault : faults) {
    ++tried[fault.allocation ? "allocation" : fault.call.empty() ? "missing" : fault.call];
    const Outcome run = scenario.Run(fault, transcript);
    // A missing object is no call that fails: it only has to be safe.
    for (const std::string& v : Violations(clean, run, fault.missing.empty())) {
      if (++reports <= kMaxReports)
        ADD_FAILURE() << GetParam().filename().string() << " with " << fault.Name() << ": " << v
                      << "\n"
                      << transcript;
    }
  }
  std::string counts;
  for (auto& [kind, n] : tried)
    counts += " " + kind + " " + std::to_string(n);
  std::printf("%s: %zu faulty runs (stride %zu):%s\n", GetParam().filename().c_str(), faults.size(),
              stride, counts.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, Sweep, testing::ValuesIn(ScenarioFiles()),
    [](const testing::TestParamInfo<fs::path>& info) {
      std::string name =
          fs::relative(info.param, SCRAPDECK_SOURCE_DIR).replace_extension().string();
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

}  // namespace
