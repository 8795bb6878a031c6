#include "stand/scenario.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

#include "stand/firmware_dat.h"
#include "stand/osd.h"
#include "stand/recorder.h"
#include "stand/stand.h"

namespace fs = std::filesystem;

namespace stand {
namespace {

struct Failed {
  std::string reason;
};

// A number in decimal or with 0x, whole word only.
bool ParseNumber(const std::string& word, dword& value) {
  if (word.empty()) return false;
  try {
    size_t used = 0;
    unsigned long v = std::stoul(word, &used, 0);
    if (used != word.size() || v > 0xFFFFFFFFul) return false;
    value = static_cast<dword>(v);
    return true;
  } catch (...) {
    return false;
  }
}

// Fills the stack below the caller with non-zero bytes, so that the plug-in's frames
// of the next event start on garbage as on a recorder that has run for a while: a
// read past the end of a text kept on the stack then finds no convenient zero.
__attribute__((noinline)) void DirtyStack(byte value) {
  byte region[32 * 1024];
  std::memset(region, value, sizeof region);
  // The fill must happen although nothing reads it back.
  asm volatile("" : : "r"(region) : "memory");
}

// A file's size: decimal, whole word, at most the largest a file can have.
bool ParseSize(const std::string& word, uint64_t& value) {
  if (word.empty() || word.size() > 19 || word.find_first_not_of("0123456789") != std::string::npos)
    return false;
  value = std::stoull(word);
  return value <= uint64_t(INT64_MAX);
}

std::string Hex(dword v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", v);
  return text;
}

class Runner {
 public:
  Runner(const ScenarioOptions& options, std::ostream& out) : options_(options), out_(out) {}
  // The recorder takes back a plug-in's memory when it ends it.
  ~Runner() {
    if (plugin_.handle) UnloadPlugin(plugin_);
    ResetMemory();
    LeaveWorkDir();
  }

  // Runs one command; commands that take a block of lines read them from lines,
  // moving cursor past them.
  void Execute(const std::vector<std::string>& words, const std::vector<std::string>& lines,
               size_t& cursor) {
    const std::string& c = words[0];
    auto it = commands_.find(c);
    if (it == commands_.end()) throw Unreadable{"unknown command '" + c + "'"};
    if (words.size() - 1 < it->second.minArgs || words.size() - 1 > it->second.maxArgs)
      throw Unreadable{"wrong number of arguments for '" + c + "'"};
    args_ = std::vector<std::string>(words.begin() + 1, words.end());
    lines_ = &lines;
    cursor_ = &cursor;
    it->second.run();
  }

  // Expectations that did not hold in a run that goes on past them.
  size_t Misses() const { return misses_; }

 private:
  struct Command {
    size_t minArgs, maxArgs;
    std::function<void()> run;
  };

  dword Number(size_t i) {
    dword v;
    if (!ParseNumber(args_.at(i), v)) throw Unreadable{"'" + args_[i] + "' is not a number"};
    return v;
  }

  uint64_t Size(size_t i) {
    uint64_t v;
    if (!ParseSize(args_.at(i), v))
      throw Unreadable{"'" + args_[i] + "' is not a size (0 to " + std::to_string(INT64_MAX) +
                       " bytes)"};
    return v;
  }

  std::string DiskPath(size_t i) {
    const std::string& p = args_.at(i);
    if (p.empty() || p[0] != '/') throw Unreadable{"disk paths start with '/': " + p};
    return p;
  }

  // Host path of a disk path, or of a path without a leading '/' in the stand's own
  // working directory (which becomes a sandbox folder at the first such path).
  std::string AnyPath(size_t i) {
    const std::string& p = args_.at(i);
    if (p.empty()) throw Unreadable{"empty path"};
    if (p[0] == '/') return HostPath(p);
    return UseWorkDir() + "/" + p;
  }

  static void WriteHostFile(const std::string& host, const std::string& bytes) {
    fs::create_directories(fs::path(host).parent_path());
    std::ofstream(host, std::ios::binary) << bytes;
  }

  // A file of the given size (see kFilledFileBytes). When the disk cannot hold it,
  // nothing is left behind and the run stops.
  static void MakeFile(const std::string& host, uint64_t bytes, const std::string& shown) {
    if (bytes <= kFilledFileBytes) return WriteHostFile(host, std::string(bytes, kFileFill));
    fs::create_directories(fs::path(host).parent_path());
    // 64-bit offsets also in the 32-bit stand.
    const int fd = ::open64(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int error = fd < 0 ? errno : ::ftruncate64(fd, static_cast<off64_t>(bytes)) ? errno : 0;
    if (fd >= 0) ::close(fd);
    if (error) {
      if (fd >= 0) fs::remove(host);
      throw Failed{"cannot make " + shown + " of " + std::to_string(bytes) +
                   " bytes: " + std::strerror(error)};
    }
  }

  std::string LocalPath(const std::string& p) const {
    if (p.empty() || fs::path(p).is_absolute()) return p;
    fs::path inBase = fs::path(options_.baseDir) / p;
    if (fs::exists(inBase)) return inBase.string();
    fs::path besideImage = fs::path(options_.image).parent_path() / p;
    return fs::exists(besideImage) ? besideImage.string() : inBase.string();
  }

  void Start() {
    if (plugin_.handle) return;
    if (fonts_) {
      const std::string missing = InstallStandardFonts();
      if (!missing.empty()) throw Unreadable{"standard font missing: " + missing};
    }
    if (options_.atStart) options_.atStart();
    std::string error;
    if (!LoadPlugin(options_.image, 0, plugin_, error)) throw Unreadable{error};
    int result = CallMain(plugin_);
    out_ << "  start: TAP_Main returned " << result << "\n";
    if (result != 1) throw Failed{"TAP_Main returned " + std::to_string(result)};
  }

  // Sends one event; a key the plug-in passes on then reaches the firmware.
  void Send(dword event, dword param1) {
    Start();
    if (dirtyStack_) DirtyStack(dirtyStack_);
    returned_ = CallEvent(plugin_, event, param1, 0);
    out_ << "  -> " << Hex(returned_) << "\n";
    if (event == HOST_EVENT_KEY && returned_ != 0) {
      const std::string done = PassKeyToFirmware(returned_);
      if (!done.empty()) out_ << "  firmware: " << done << "\n";
    }
  }

  void Expect(bool held, const std::string& what) {
    if (held) {
      out_ << "  ok\n";
    } else if (options_.stopAtFailure) {
      throw Failed{what};
    } else {
      out_ << "  not held: " << what << "\n";
      ++misses_;
    }
  }

  dword WaitTicks(const std::string& d) {
    dword ticks;
    if (!ParseDuration(d, ticks)) throw Unreadable{"'" + d + "' is not a duration"};
    return ticks;
  }

  bool HasRegion(dword x, dword y, dword w, dword h) {
    for (auto& r : Regions())
      if (r.shown && r.x == x && r.y == y && r.width == w && r.height == h) return true;
    return false;
  }

  std::string Rest(size_t from) const {
    std::string text;
    for (size_t i = from; i < args_.size(); ++i)
      text += (i > from ? " " : "") + args_[i];
    return text;
  }

  const ScenarioOptions& options_;
  std::ostream& out_;
  std::vector<std::string> args_;
  const std::vector<std::string>* lines_ = nullptr;
  size_t* cursor_ = nullptr;
  Plugin plugin_;
  dword returned_ = 0;
  bool fonts_ = true;
  size_t misses_ = 0;    // expectations that did not hold (when the run goes on)
  byte dirtyStack_ = 0;  // the byte the stack is filled with before each event, 0: left alone

  const std::map<std::string, Command> commands_ = {
      // ---- set-up ----
      {"firmware",
       {1, 1,
        [this] {
          if (args_[0] != "utf8" && args_[0] != "plain")
            throw Unreadable{"firmware is utf8 or plain"};
          SetFirmwareSymbol("_Z26Appl_ConvertToValidUTF8StrPhi", args_[0] == "utf8");
        }}},
      {"system-id", {1, 1, [this] { SetSystemId(Number(0)); }}},
      {"model-slots",
       {1, 1,
        [this] {
          // The recorder's slots, and the model table on its disk that tells the
          // plug-in how many there are.
          SetModelSlots(Number(0));
          WriteFirmwareDat(kSettingsFolder,
                           MakeFirmwareDat({{static_cast<word>(TAP_GetSystemId()), Number(0)}}));
        }}},
      {"no-fonts", {0, 0, [this] { fonts_ = false; }}},
      {"plugin",
       {2, 2,
        [this] {
          dword slot = Number(0);
          if (slot == 0 || slot >= TAP_TABLE_SLOTS)
            throw Unreadable{"other plug-ins go into slots 1 to 15"};
          std::string image = LocalPath(args_[1]);
          std::ifstream in(image, std::ios::binary);
          if (!in) throw Unreadable{"no image " + image};
          std::string disk = ProgramDiskPath(image);
          WriteFile(disk, std::string(std::istreambuf_iterator<char>(in), {}));
          SetSlotImage(slot, disk);
        }}},
      {"settings-file",
       {1, 1,
        [this] {
          std::string path = DiskPath(0), text;
          bool ended = false;
          while (*cursor_ < lines_->size()) {
            const std::string& line = (*lines_)[(*cursor_)++];
            if (line == kBlockEnd) {
              ended = true;
              break;
            }
            text += line + "\r\n";
          }
          if (!ended) throw Unreadable{"settings-file without end"};
          WriteFile(path, text);
        }}},
      {"dirty-stack",
       {0, 1,
        [this] {
          dword value = args_.empty() ? 0xA5 : Number(0);
          if (value == 0 || value > 0xFF) throw Unreadable{"dirty-stack takes a byte 1 to 255"};
          dirtyStack_ = static_cast<byte>(value);
        }}},
      {"write", {2, 2, [this] { WriteFile(DiskPath(0), args_[1]); }}},
      {"start", {0, 0, [this] { Start(); }}},
      // ---- the disk ----
      {"mount",
       {1, 1,
        [this] {
          if (!Mount(DiskPath(0))) throw Unreadable{"cannot mount a disk at " + args_[0]};
        }}},
      {"file", {1, 2, [this] { MakeFile(AnyPath(0), args_.size() > 1 ? Size(1) : 0, args_[0]); }}},
      {"dir", {1, 1, [this] { fs::create_directories(AnyPath(0)); }}},
      {"remove", {1, 1, [this] { fs::remove_all(AnyPath(0)); }}},
      // ---- playback and recording ----
      {"play", {1, 1, [this] { Play(DiskPath(0)); }}},
      {"stop-play", {0, 0, [] { StopPlay(); }}},
      {"record",
       {2, 2,
        [this] {
          dword slot = Number(0);
          // A recording's file is there from its first moment on.
          if (!Exists(DiskPath(1))) WriteFile(DiskPath(1), "");
          if (!Record(slot, DiskPath(1))) throw Unreadable{"the recorder has no such slot"};
        }}},
      {"stop-record", {1, 1, [this] { StopRecording(Number(0)); }}},
      // ---- events and time ----
      {"key",
       {1, 1,
        [this] {
          dword code;
          Send(HOST_EVENT_KEY, KeyCode(args_[0], code) ? code : Number(0));
        }}},
      {"idle",
       {0, 2,
        [this] {
          dword n = args_.empty() ? 1 : Number(0);
          dword step = args_.size() > 1 ? WaitTicks(args_[1]) : 0;
          for (dword i = 0; i < n; ++i) {
            Advance(step);
            Send(HOST_EVENT_IDLE, 0);
          }
        }}},
      {"wait", {1, 1, [this] { Advance(WaitTicks(args_[0])); }}},
      {"clock", {1, 1, [this] { SetClock(Number(0)); }}},
      {"manager", {1, 1, [this] { Send(HOST_EVENT_MANAGER, Number(0)); }}},
      {"event", {2, 2, [this] { Send(Number(0), Number(1)); }}},
      {"snapshot",
       {1, 1,
        [this] {
          if (!options_.snapshots) return;
          fs::path shot =
              fs::path(options_.shotDir.empty() ? options_.baseDir : options_.shotDir) / args_[0];
          if (WritePng(shot.string()))
            out_ << "  wrote " << shot.string() << "\n";
          else
            out_ << "  (no PNG support in this stand)\n";
        }}},
      // ---- expectations ----
      {"expect",
       {1, 64,
        [this] {
          const std::string& what = args_[0];
          if (what == "file" && args_.size() == 2) {
            Expect(fs::exists(AnyPath(1)), args_[1] + " does not exist");
          } else if (what == "no-file" && args_.size() == 2) {
            Expect(!fs::exists(AnyPath(1)), args_[1] + " still exists");
          } else if (what == "returned" && args_.size() == 2) {
            dword v;
            if (!KeyCode(args_[1], v)) v = Number(1);
            Expect(returned_ == v, "the event returned " + Hex(returned_) + ", not " + Hex(v));
          } else if ((what == "region" || what == "no-region") && args_.size() == 5) {
            bool has = HasRegion(Number(1), Number(2), Number(3), Number(4));
            Expect(has == (what == "region"),
                   std::string(has ? "a" : "no") + " region " + Rest(1) + " is on the screen");
          } else if (what == "clock" && args_.size() == 2) {
            Expect(Now() == Number(1), "the clock reads " + std::to_string(Now()));
          } else if (what == "pixel" && args_.size() == 4) {
            dword p = ScreenPixel(Number(1), Number(2));
            Expect(p == Number(3), "pixel " + Rest(1) + " is " + Hex(p));
          } else if (what == "bytes" && args_.size() == 3) {
            Expect(Exists(args_[1]) && ReadFile(args_[1]) == args_[2],
                   args_[1] + " does not hold exactly the bytes given");
          } else if (what == "colour" && args_.size() == 6) {
            // Drawn text shows as pixels of its colour somewhere in the rectangle.
            dword x0 = Number(1), y0 = Number(2), colour = Number(5), found = 0;
            for (dword y = y0; y < y0 + Number(4) && y < SCREEN_HEIGHT; ++y)
              for (dword x = x0; x < x0 + Number(3) && x < SCREEN_WIDTH; ++x)
                found += ScreenPixel(x, y) == colour;
            Expect(found > 0, "no pixel of colour " + Hex(colour) + " in " + Rest(1));
          } else if (what == "line" && args_.size() >= 3) {
            std::ifstream file(AnyPath(1), std::ios::binary);
            std::istringstream in(std::string(std::istreambuf_iterator<char>(file), {}));
            bool found = false;
            for (std::string line; std::getline(in, line);) {
              if (!line.empty() && line.back() == '\r') line.pop_back();
              found = found || line == Rest(2);
            }
            Expect(found, args_[1] + " has no line '" + Rest(2) + "'");
          } else {
            throw Unreadable{"unknown expectation '" + Rest(0) + "'"};
          }
        }}},
  };
};

// A word's escapes: \xHH is that byte (\x22 a double quote, \x23 a hash), \r, \n and
// \t the control characters, \\ a backslash; so names and files can hold any byte.
std::string Unescape(const std::string& word) {
  std::string bytes;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '\\') {
      bytes += word[i];
      continue;
    }
    if (++i == word.size()) throw Unreadable{"a word ends in a backslash"};
    const char c = word[i];
    if (c == 'x') {
      dword value;
      if (i + 2 >= word.size() || !ParseNumber("0x" + word.substr(i + 1, 2), value) || value > 0xFF)
        throw Unreadable{"\\x takes two hex digits"};
      bytes += static_cast<char>(value);
      i += 2;
    } else if (c == 'r' || c == 'n' || c == 't') {
      bytes += c == 'r' ? '\r' : c == 'n' ? '\n' : '\t';
    } else if (c == '\\') {
      bytes += c;
    } else {
      throw Unreadable{std::string("unknown escape \\") + c};
    }
  }
  return bytes;
}

// Runs lines one after another, numbered from first + 1 in the transcript; the
// number of a line that failed or could not be read goes to failedAt.
ScenarioResult RunLines(Runner& runner, const std::vector<std::string>& lines, size_t first,
                        const ScenarioOptions& options, std::ostream& out, std::ostream& err,
                        size_t& failedAt) {
  for (size_t cursor = 0; cursor < lines.size();) {
    size_t number = first + ++cursor;
    const std::string& line = lines[cursor - 1];
    size_t hash = line.find('#');
    std::string code = line.substr(0, hash);
    if (code.find_first_not_of(" \t") == std::string::npos) continue;
    size_t begin = code.find_first_not_of(" \t");
    size_t last = code.find_last_not_of(" \t");
    out << options.name << ":" << number << ": " << code.substr(begin, last - begin + 1) << "\n";
    try {
      runner.Execute(Words(code), lines, cursor);
    } catch (const Unreadable& u) {
      err << options.name << ":" << number << ": cannot read the scenario: " << u.reason << "\n";
      failedAt = number;
      return SCENARIO_UNREADABLE;
    } catch (const Failed& f) {
      err << options.name << ":" << number << ": expectation failed: " << f.reason << "\n";
      failedAt = number;
      return SCENARIO_FAILED;
    }
  }
  return SCENARIO_PASSED;
}

}  // namespace

const char* const kBlockEnd = "end";
const char kFileFill = 'x';

const std::vector<KeyName>& KeyNames() {
  static const std::vector<KeyName> keys = {
      {"LEFT", KEY_LEFT},
      {"UP", KEY_UP},
      {"RIGHT", KEY_RIGHT},
      {"EXIT", KEY_EXIT},
      {"SETTINGS", KEY_SETTINGS},
      {"DOWN", KEY_DOWN},
      {"OK", KEY_OK},
      {"STOP", KEY_STOP},
      {"GREEN", KEY_GREEN},
      {"BLUE", KEY_BLUE},
      {"RED", KEY_RED},
      {"PAGEUP_1", KEY_PAGEUP_1},
      {"PAGEDOWN_1", KEY_PAGEDOWN_1},
      {"PAGEUP_2", KEY_PAGEUP_2},
      {"PAGEDOWN_2", KEY_PAGEDOWN_2},
  };
  return keys;
}

bool KeyCode(const std::string& name, dword& code) {
  for (const KeyName& key : KeyNames())
    if (name == key.name) {
      code = key.code;
      return true;
    }
  return false;
}

bool ParseDuration(const std::string& text, dword& ticks) {
  if (ParseNumber(text, ticks)) return true;
  const char unit = text.empty() ? 0 : text.back();
  const unsigned long long scale = unit == 's' ? 100 : unit == 'm' ? 6000 : 0;
  dword count;
  if (!scale || !ParseNumber(text.substr(0, text.size() - 1), count) ||
      count * scale > 0xFFFFFFFFull)
    return false;
  ticks = static_cast<dword>(count * scale);
  return true;
}

std::string CheckPlainDiskPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return "disk paths start with '/'";
  if (path.size() > 255) return "the path is longer than 255 bytes";
  if (path.find('\0') != std::string::npos) return "a file name cannot hold a NUL";
  if (path.back() == '/') return "the path ends in '/'";
  std::istringstream parts(path.substr(1));
  for (std::string part; std::getline(parts, part, '/');)
    if (part.empty() || part == "." || part == "..")
      return "the path has an empty, '.' or '..' part";
  return "";
}

size_t PlainTextAt(const std::string& text, size_t at) {
  const auto byteAt = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char c = byteAt(at);
  if (c < 0x7F) return c >= 0x20 || c == '\t' ? 1 : 0;
  const size_t n = c >= 0xC2 && c < 0xE0   ? 2
                   : c >= 0xE0 && c < 0xF0 ? 3
                   : c >= 0xF0 && c < 0xF5 ? 4
                                           : 0;
  if (n == 0 || at + n > text.size()) return 0;
  // The second byte's range rules out overlong forms, surrogates and code points
  // past U+10FFFF; the others are continuation bytes.
  const unsigned char second = byteAt(at + 1);
  const unsigned char low = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
  if (second < low || second > high) return 0;
  for (size_t k = 2; k < n; ++k)
    if ((byteAt(at + k) & 0xC0) != 0x80) return 0;
  return n;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] == '"') {
      size_t end = line.find('"', i + 1);
      if (end == std::string::npos) throw Unreadable{"unterminated quote"};
      word = line.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      size_t end = line.find_first_of(" \t", i);
      if (end == std::string::npos) end = line.size();
      word = line.substr(i, end - i);
      i = end;
    }
    words.push_back(Unescape(word));
  }
  return words;
}

std::string QuoteWord(const std::string& text) {
  std::string word;
  bool quoted = text.empty();
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t n = PlainTextAt(text, i);
    if (c == '\\') {
      word += "\\\\";
    } else if (c == '\r' || c == '\n') {
      word += c == '\r' ? "\\r" : "\\n";
    } else if (n == 0 || c == '"' || c == '#') {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      word += escape;
    } else {
      quoted = quoted || c == ' ' || c == '\t';
      word.append(text, i, n);
      i += n - 1;
    }
  }
  return quoted ? '"' + word + '"' : word;
}

struct ScenarioSession::Impl {
  Impl(const ScenarioOptions& o, std::ostream& out, std::ostream& err)
      : options(o), out(out), err(err) {}
  ScenarioOptions options;  // with absolute paths: the run may change its working directory
  std::ostream& out;
  std::ostream& err;
  size_t lines = 0;
  size_t failedAt = 0;  // the line at which the last failed Run stopped
  bool diskSet = true;  // false: the disk could not be copied, nothing runs
  std::unique_ptr<Runner> runner;
};

ScenarioSession::ScenarioSession(const ScenarioOptions& options, std::ostream& out,
                                 std::ostream& err)
    : impl_(new Impl(options, out, err)) {
  Reset();
  std::string error;
  if (!options.diskFrom.empty() && !CopyOntoDisk(options.diskFrom, error)) {
    err << options.name << ": " << error << "\n";
    impl_->diskSet = false;
  }
  // The run may change into a working directory of its own: the files it names
  // outside it are made absolute first.
  ScenarioOptions& o = impl_->options;
  for (std::string* path : {&o.image, &o.baseDir, &o.shotDir})
    if (!path->empty()) *path = fs::absolute(*path).string();
  // The faults are armed after the reset, so their counts start with the run.
  if (o.failAllocation) FailAllocation(o.failAllocation);
  if (!o.failHostCall.empty()) FailHostCall(o.failHostCall, o.failHostCallAt);
  if (!o.missingSymbol.empty()) SetFirmwareSymbol(o.missingSymbol, false);
  impl_->runner.reset(new Runner(o, out));
}

ScenarioSession::~ScenarioSession() = default;

ScenarioResult ScenarioSession::Run(const std::vector<std::string>& lines) {
  if (!impl_->diskSet) return SCENARIO_UNREADABLE;
  size_t failedAt = 0;
  ScenarioResult result = RunLines(*impl_->runner, lines, impl_->lines, impl_->options, impl_->out,
                                   impl_->err, failedAt);
  if (failedAt) impl_->failedAt = failedAt;
  impl_->lines += lines.size();
  return result;
}

ScenarioResult ScenarioSession::Finish() {
  // What the run used, for the transcript's end and for sweeps; the recorder takes
  // the plug-in's memory back only after this.
  std::ostream& out = impl_->out;
  MemoryStats held = Memory();
  out << "  end: the plug-in holds " << held.liveBlocks << " blocks (" << held.liveBytes
      << " bytes), at most " << held.peakBytes << " bytes at once\n";
  out << "  used: " << held.allocations << " allocations";
  for (const std::string& call : HostCallNames())
    out << ", " << call << " " << HostCalls(call);
  out << "\n";
  if (impl_->options.atEnd) impl_->options.atEnd();
  if (impl_->failedAt) {
    out << "FAILED at line " << impl_->failedAt << "\n";
    return SCENARIO_FAILED;
  }
  if (size_t misses = impl_->runner->Misses()) {
    impl_->err << impl_->options.name << ": " << misses << " expectations did not hold\n";
    out << "FAILED: " << misses << " expectations did not hold\n";
    return SCENARIO_FAILED;
  }
  out << "PASSED\n";
  return SCENARIO_PASSED;
}

ScenarioResult RunScenario(std::istream& script, const ScenarioOptions& options, std::ostream& out,
                           std::ostream& err) {
  std::vector<std::string> lines;
  for (std::string line; std::getline(script, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  ScenarioSession session(options, out, err);
  if (session.Run(lines) == SCENARIO_UNREADABLE) return SCENARIO_UNREADABLE;
  return session.Finish();
}

}  // namespace stand
