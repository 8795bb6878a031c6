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

#include "host/tap.h"

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

enum ScenarioResult { SCENARIO_PASSED = 0, SCENARIO_FAILED = 1, SCENARIO_UNREADABLE = 2 };

// ---- The language: what a line may hold and how it is read ----

// A line that cannot be read, and why (thrown by Words and the commands).
struct Unreadable {
  std::string reason;
};

// The words of a line whose comment is cut off already: spaces and tabs part them,
// "double quotes" keep spaces and tabs inside one word, and every word's escapes are
// read: \xHH is the byte HH, \r, \n and \t the control characters, \\ a backslash.
// Throws Unreadable on an open quote or an escape that is none of these.
std::vector<std::string> Words(const std::string& line);

// Text as one word that Words reads back as exactly those bytes, whatever they are:
// a backslash, '"', '#' (which starts a comment), control bytes and bytes that are
// not UTF-8 are escaped, and a word that holds a space or is empty is quoted.
std::string QuoteWord(const std::string& text);

// How many bytes at text[at] a scenario file carries as they stand: 1 for a printable
// ASCII byte or a tab, 2 to 4 for a whole UTF-8 sequence, 0 for a byte that a word
// writes as an escape (control bytes, DEL, bytes that are not UTF-8).
size_t PlainTextAt(const std::string& text, size_t at);

// The line that ends a command's block of lines (settings-file).
extern const char* const kBlockEnd;
// The byte that "file PATH BYTES" fills a file with, up to kFilledFileBytes; a larger
// file, a recording of real size, is a sparse file that reads as zeros and takes no
// room on the disk.
extern const char kFileFill;
constexpr uint64_t kFilledFileBytes = 1 << 20;

// The named keys of "key" and "expect returned" (a key may be given as a number too).
struct KeyName {
  const char* name;
  dword code;
};
const std::vector<KeyName>& KeyNames();
// A key's code by name; false for a name that is none of KeyNames.
bool KeyCode(const std::string& name, dword& code);

// A duration of "wait" and "idle": a number of ticks (100 a second, decimal or 0x),
// seconds ("30s") or minutes ("2m"). False when it is none or does not fit 32 bits.
bool ParseDuration(const std::string& text, dword& ticks);

// Why a path is not a plain path on the recorder's disk ("" when it is): absolute,
// inside the disk (no empty, "." or ".." parts, no '/' at the end), no NUL (which a
// file name cannot hold), at most 255 bytes. Any other byte is carried by QuoteWord.
std::string CheckPlainDiskPath(const std::string& path);

// Runs the scenario, printing the transcript to out and the first failure to err.
// The transcript's last lines count what the run used: the plug-in's memory, its
// TAP_MemAlloc calls and its calls of each failable host call (stand::HostCallNames),
// so that a sweep knows how many fault points a scenario has.
ScenarioResult RunScenario(std::istream& script, const ScenarioOptions& options, std::ostream& out,
                           std::ostream& err);

// A scenario run in steps: RunScenario is one, and the live stand runs a session as
// one. Making the session resets the recorder, copies options.diskFrom onto the disk
// and arms the fault of the options, so that its counts start with the run; each Run
// goes on where the last one stopped, as though its lines followed the earlier ones
// in one file (a command that takes a block reads it from the same call). The
// transcript goes to out and what failed to err; a session goes on after a failure.
// The stand plays one recorder: one session at a time.
class ScenarioSession {
 public:
  ScenarioSession(const ScenarioOptions& options, std::ostream& out, std::ostream& err);
  ~ScenarioSession();
  // SCENARIO_UNREADABLE, without running anything, when the disk could not be copied.
  ScenarioResult Run(const std::vector<std::string>& lines);
  // Ends the run: the transcript's last lines (what the run used), then atEnd.
  // SCENARIO_FAILED when expectations did not hold in a run that went on past them.
  ScenarioResult Finish();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace stand

#endif
