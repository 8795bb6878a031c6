// Recorder scenarios: a script of one command per line run against a plug-in
// image in the stand. The language is described in stand/README.md.
#ifndef SCRAPDECK_STAND_SCENARIO_H
#define SCRAPDECK_STAND_SCENARIO_H

#include <iosfwd>
#include <string>

namespace stand {

struct ScenarioOptions {
  std::string image;    // the plug-in image to run
  std::string name;     // the scenario's name in messages (its file name)
  std::string baseDir;  // where relative image and snapshot paths start
  std::string shotDir;  // where snapshots go ("" = baseDir)
};

enum ScenarioResult { SCENARIO_PASSED = 0, SCENARIO_FAILED = 1, SCENARIO_UNREADABLE = 2 };

// Runs the scenario, printing the transcript to out and the first failure to err.
ScenarioResult RunScenario(std::istream& script, const ScenarioOptions& options, std::ostream& out,
                           std::ostream& err);

}  // namespace stand

#endif
