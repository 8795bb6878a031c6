// Recorder scenarios: a script of one command per line run against a plug-in
// image in the stand. The language is described in stand/README.md.
#ifndef SCRAPDECK_STAND_SCENARIO_H
#define SCRAPDECK_STAND_SCENARIO_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace stand {

struct ScenarioOptions {
  std::string image;      // the plug-in image to run
  std::string name;       // the scenario's name in messages (its file name)
  std::string baseDir;    // where relative image and snapshot paths start
  std::string shotDir;    // where snapshots go ("" = baseDir)
  bool snapshots = true;  // false: snapshot commands write nothing
  std::string diskFrom;   // a PC folder the recorder's disk starts as a copy of ("" = none)

  // One fault armed for the whole run (fault sweeps): the failAllocation-th call of
  // TAP_MemAlloc fails (0 = none); the failHostCallAt-th call of the host or system
  // call failHostCall fails (see stand::FailHostCall); missingSymbol is a firmware
  // object the plug-in cannot find ("" = all there).
  size_t failAllocation = 0;
  std::string failHostCall;
  size_t failHostCallAt = 0;
  std::string missingSymbol;

  // false: an expectation that does not hold is reported in the transcript and the
  // run goes on to the end (a sweep's faulty runs are judged by other means).
  bool stopAtFailure = true;
  // Called when the plug-in is about to start, with the set-up on the disk, and at
  // the end of the run (also after a failed expectation), before the recorder takes
  // the plug-in's memory back; the stand's state can be read then.
  std::function<void()> atStart;
  std::function<void()> atEnd;
};

// `file PATH BYTES` fills a file of up to this size with 'x'; a larger one, a recording
// of real size, is a sparse file that reads as zeros and takes no room on the disk.
constexpr uint64_t kFilledFileBytes = 1 << 20;

enum ScenarioResult { SCENARIO_PASSED = 0, SCENARIO_FAILED = 1, SCENARIO_UNREADABLE = 2 };

// Runs the scenario, printing the transcript to out and the first failure to err.
// The transcript's last lines count what the run used: the plug-in's memory, its
// TAP_MemAlloc calls and its calls of each failable host call (stand::HostCallNames),
// so that a sweep knows how many fault points a scenario has.
ScenarioResult RunScenario(std::istream& script, const ScenarioOptions& options, std::ostream& out,
                           std::ostream& err);

// A scenario run in steps, as the live stand runs a session: the recorder is reset
// when the session is made, and each Run goes on where the last one stopped, as
// though its lines followed the earlier ones in one file (a command that takes a
// block reads it from the same call). The transcript goes to out and what failed to
// err, worded as in RunScenario; a session goes on after a failure. The stand plays
// one recorder: one session or scenario run at a time.
class ScenarioSession {
 public:
  ScenarioSession(const ScenarioOptions& options, std::ostream& out, std::ostream& err);
  ~ScenarioSession();
  ScenarioResult Run(const std::vector<std::string>& lines);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace stand

#endif
