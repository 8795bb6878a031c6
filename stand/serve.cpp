// The live stand: one web page that plays the recorder. Every action of the page is
// a line of the scenario language, run by a scenario session as it comes; the lines
// run so far, followed by expectations for the state reached, are the session saved
// as a scenario, which therefore replays what the page did.
//
// The HTTP side answers on several threads; one lock keeps the recorder to one
// event at a time, as the recorder's plug-in thread does.
#include "stand/serve.h"

#include <httplib.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

#include "lib/font/font.h"
#include "stand/osd.h"
#include "stand/osd_internal.h"
#include "stand/recorder.h"
#include "stand/scenario.h"
#include "stand/stand.h"

namespace fs = std::filesystem;

extern "C" const char scrapdeck_stand_page[];    // page.html, built in (page_html.cpp)
extern "C" const char scrapdeck_stand_remote[];  // remote.json, built in (remote_json.cpp)

namespace stand {
namespace {

// One idle tick of the page: the clock moves on a tenth of a second before each.
const char* const kTickStep = "10";
const size_t kTranscriptShown = 300;   // entries the page gets
const size_t kTranscriptKept = 10000;  // entries the stand keeps
const dword kLongestWait = 60 * 6000;  // one request moves the clock at most an hour
const std::string kSettingsFile = std::string(kSettingsFolder) + "/Scrapdeck.ini";

// A JSON string; bytes that are not UTF-8 show as U+FFFD.
std::string Json(const std::string& text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = text[i];
    const size_t n = c == '\t' ? 0 : PlainTextAt(text, i);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (n) {
      out.append(text, i, n);
      i += n - 1;
    } else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c < 0x80 ? c : 0xFFFD);
      out += esc;
    }
  }
  return out + "\"";
}

// What a request asks that the recorder cannot do: a 400 with the reason.
struct BadRequest {
  std::string reason;
};

struct Region {
  dword x, y, w, h;
  bool operator<(const Region& o) const {
    return std::tie(x, y, w, h) < std::tie(o.x, o.y, o.w, o.h);
  }
};

class Live {
 public:
  // Reset, the disk copied from a folder, the set-up run, the plug-in started.
  // False with the reason when one of them fails (code 1 or 2 as the program's).
  bool Begin(const ServeOptions& options, std::string& error, int& code) {
    options_.image = options.image;
    options_.name = "live";
    options_.baseDir = options.setup.empty() ? "." : fs::path(options.setup).parent_path().string();
    options_.snapshots = false;
    options_.diskFrom = options.diskFrom;
    imagePath_ = ProgramDiskPath(options.image);
    session_ = std::make_unique<ScenarioSession>(options_, out_, err_);
    code = 2;
    // Described as copied, before the set-up changes it (a copy that failed stops
    // the set-up's run below).
    if (!options.diskFrom.empty()) DescribeDisk(options.diskFrom);
    std::vector<std::string> setup;
    if (!options.setup.empty()) {
      std::ifstream in(options.setup);
      if (!in) {
        error = "cannot read " + options.setup;
        return false;
      }
      prelude_.push_back("# The set-up, " + fs::path(options.setup).filename().string() + ":");
      for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        setup.push_back(line);
        prelude_.push_back(line);
      }
    }
    setup.push_back("start");
    prelude_.push_back("start");
    ScenarioResult result = session_->Run(setup);
    if (result != SCENARIO_PASSED) {
      error = err_.str();
      code = result == SCENARIO_FAILED ? 1 : 2;
      return false;
    }
    AddTranscript("set-up", out_.str());
    Observe();
    return true;
  }

  // Runs one action, a line of the scenario language that the server has checked.
  void Act(const std::string& line, bool tick) {
    out_.str("");
    err_.str("");
    ScenarioResult result = session_->Run({line});
    // Checked lines always run; should one not, the page hears why and it is not
    // part of the session.
    if (result != SCENARIO_PASSED) throw BadRequest{err_.str()};
    std::string text = out_.str();
    text.erase(0, text.find('\n') + 1);  // the command line itself
    if (tick && !lines_.empty() && lines_.back().first == "idle") {
      ++lines_.back().second;
    } else {
      lines_.push_back({tick ? "idle" : line, 1});
    }
    if (tick && !transcript_.empty() && transcript_.back().tick &&
        transcript_.back().output == text) {
      ++transcript_.back().count;
    } else {
      AddTranscript(tick ? "idle" : line, text, tick);
    }
    Observe();
  }

  std::string State() {
    std::ostringstream j;
    j << "{\"clock\":" << Now() << ",\"screen\":" << Json(ScreenHash())
      << ",\"playing\":" << Json(Playing()) << ",\"slots\":[";
    for (dword s = 0; s < ModelSlots(); ++s)
      j << (s ? "," : "") << Json(Recording(s));
    j << "],\"files\":[";
    std::set<std::string> now = Files();
    bool first = true;
    for (const std::string& path : known_) {
      std::error_code ec;
      bool there = now.count(path);
      auto size = there ? fs::file_size(HostPath(path), ec) : 0;
      // As a text: a recording's size can pass what a page's number holds exactly.
      j << (first ? "" : ",") << "{\"path\":" << Json(path) << ",\"size\":\"" << (ec ? 0 : size)
        << "\""
        << ",\"gone\":" << (there ? "false" : "true") << "}";
      first = false;
    }
    j << "],\"regions\":[";
    first = true;
    for (const OsdRegion& r : Regions()) {
      if (!r.shown) continue;
      j << (first ? "" : ",") << "[" << r.x << "," << r.y << "," << r.width << "," << r.height
        << "]";
      first = false;
    }
    j << "],\"events\":" << events_ << ",\"transcript\":[";
    size_t from = transcript_.size() > kTranscriptShown ? transcript_.size() - kTranscriptShown : 0;
    for (size_t i = from; i < transcript_.size(); ++i) {
      const Entry& e = transcript_[i];
      j << (i > from ? "," : "") << "{\"command\":" << Json(e.command) << ",\"count\":" << e.count
        << ",\"output\":" << Json(e.output) << "}";
    }
    j << "]}";
    return j.str();
  }

  // The session as a scenario: the disk and set-up, the actions, and what holds now.
  std::string Scenario() {
    std::ostringstream s;
    s << "# A session on the live stand. Replay it with: scrapdeck-stand IMAGE FILE.scn\n";
    for (const std::string& line : prelude_)
      s << line << "\n";
    s << "# The session:\n";
    for (auto& [line, count] : lines_) {
      if (line == "idle")
        s << "idle " << count << " " << kTickStep << "  # ticks 0.1 s apart\n";
      else
        s << line << "\n";
    }
    s << "# The state reached:\n";
    std::set<std::string> now = Files();
    for (const std::string& path : known_)
      s << "expect " << (now.count(path) ? "file " : "no-file ") << QuoteWord(path) << "\n";
    std::set<Region> shown;
    for (const OsdRegion& r : Regions())
      if (r.shown) shown.insert({r.x, r.y, r.width, r.height});
    for (const Region& r : regionsSeen_)
      s << "expect " << (shown.count(r) ? "region " : "no-region ") << r.x << " " << r.y << " "
        << r.w << " " << r.h << "\n";
    if (Exists(kSettingsFile)) {
      std::istringstream in(ReadFile(kSettingsFile));
      // Lines as "expect line" reads the file: up to LF, less a CR at the end.
      for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty())
          s << "expect line " << QuoteWord(kSettingsFile) << " " << QuoteWord(line) << "\n";
      }
    }
    return s.str();
  }

 private:
  struct Entry {
    std::string command;
    std::string output;
    bool tick = false;
    size_t count = 1;
  };

  // The transcript keeps its last entries; the page shows fewer still.
  void AddTranscript(const std::string& command, const std::string& output, bool tick = false) {
    if (transcript_.size() >= kTranscriptKept)
      transcript_.erase(transcript_.begin(), transcript_.begin() + kTranscriptKept / 2);
    transcript_.push_back({command, output, tick, 1});
  }

  // The files a person cares about: all but the standard fonts and the image.
  std::set<std::string> Files() {
    std::set<std::string> files;
    for (const std::string& path : ListFiles("/"))
      if (path.rfind(FMUC_FONT_FOLDER, 0) != 0 && path != imagePath_) files.insert(path);
    return files;
  }

  // Notes what the last action left: files and regions seen, the screen.
  void Observe() {
    ++events_;
    for (const std::string& path : Files())
      known_.insert(path);
    for (const OsdRegion& r : Regions())
      if (r.shown) regionsSeen_.insert({r.x, r.y, r.width, r.height});
  }

  std::string ScreenHash() {
    std::vector<dword> screen = osd::ComposeScreen();
    unsigned long long h = 1469598103934665603ull;
    for (dword p : screen)
      h = (h ^ p) * 1099511628211ull;
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", h);
    return text;
  }

  // Scenario lines that make the disk copied from a folder, byte for byte: folders,
  // files of x bytes, text files of CR LF lines as settings files, any other file
  // written with escapes.
  void DescribeDisk(const std::string& folder) {
    prelude_.push_back("# The disk, from " + folder + ":");
    std::string error;
    for (const std::string& disk : FolderEntries(folder, error)) {
      const std::string name = QuoteWord(disk);
      std::error_code ec;
      if (fs::is_directory(HostPath(disk), ec)) {
        if (fs::is_empty(HostPath(disk), ec)) prelude_.push_back("dir " + name);
        continue;
      }
      // A recording of real size is not read: `file` makes it again at its size.
      const auto size = fs::file_size(HostPath(disk), ec);
      if (!ec && size > kFilledFileBytes) {
        prelude_.push_back("file " + name + " " + std::to_string(size));
        continue;
      }
      const std::string bytes = ReadFile(disk);
      std::vector<std::string> lines;
      if (bytes.find_first_not_of(kFileFill) == std::string::npos) {
        prelude_.push_back("file " + name + " " + std::to_string(bytes.size()));
      } else if (SettingsLines(bytes, lines)) {
        prelude_.push_back("settings-file " + name);
        prelude_.insert(prelude_.end(), lines.begin(), lines.end());
        prelude_.push_back(kBlockEnd);
      } else {
        prelude_.push_back("write " + name + " " + QuoteWord(bytes));
      }
    }
  }

  // The lines of a settings-file block that makes bytes exactly: lines that each end
  // in CR LF and hold only plain text (PlainTextAt), none of them the block's end.
  static bool SettingsLines(const std::string& bytes, std::vector<std::string>& lines) {
    for (size_t at = 0; at < bytes.size();) {
      const size_t end = bytes.find("\r\n", at);
      if (end == std::string::npos) return false;
      std::string line = bytes.substr(at, end - at);
      for (size_t i = 0, n; i < line.size(); i += n)
        if ((n = PlainTextAt(line, i)) == 0) return false;
      if (line == kBlockEnd) return false;
      lines.push_back(line);
      at = end + 2;
    }
    return !lines.empty();
  }

  ScenarioOptions options_;
  std::ostringstream out_, err_;
  std::unique_ptr<ScenarioSession> session_;
  std::string imagePath_;                              // the image's own file on the disk
  std::vector<std::string> prelude_;                   // disk, set-up and start
  std::vector<std::pair<std::string, size_t>> lines_;  // actions; "idle" for a run of ticks
  std::set<std::string> known_;                        // every file seen
  std::set<Region> regionsSeen_;
  std::vector<Entry> transcript_;
  size_t events_ = 0;
};

// ---- Requests ----

std::string Param(const httplib::Request& req, const char* name) {
  if (!req.has_param(name)) throw BadRequest{std::string("the request needs a '") + name + "'"};
  return req.get_param_value(name);
}

dword Number(const std::string& text, dword most, const char* what) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
    throw BadRequest{std::string(what) + " is a number, not '" + text + "'"};
  unsigned long long v = std::stoull(text);
  if (v > most) throw BadRequest{std::string(what) + " is at most " + std::to_string(most)};
  return static_cast<dword>(v);
}

std::string KeyLine(const httplib::Request& req) {
  std::string name = Param(req, "name");
  dword code;
  if (!KeyCode(name, code)) throw BadRequest{"no key '" + name + "' on the remote control"};
  return "key " + QuoteWord(name);
}

std::string WaitLine(const httplib::Request& req) {
  std::string d = Param(req, "duration");
  dword ticks;
  if (!ParseDuration(d, ticks))
    throw BadRequest{
        "the duration is a number of ticks, or of seconds (30s) or minutes (2m), not '" + d + "'"};
  if (ticks > kLongestWait) throw BadRequest{"one wait moves the clock at most an hour"};
  return "wait " + QuoteWord(d);
}

std::string PathParam(const httplib::Request& req) {
  std::string path = Param(req, "path");
  std::string why = CheckPlainDiskPath(path);
  if (!why.empty()) throw BadRequest{why};
  return path;
}

dword SlotParam(const httplib::Request& req) {
  if (ModelSlots() == 0) throw BadRequest{"the recorder has no record slots"};
  return Number(Param(req, "slot"), ModelSlots() - 1, "the record slot");
}

std::mutex lock;

void Reply(httplib::Response& res, int status, const std::string& body, const char* type) {
  res.status = status;
  res.set_header("Cache-Control", "no-store");
  res.set_content(body, type);
}

// An action: the line the request names, run, answered with the new state.
void Action(httplib::Server& http, Live& live, const char* path,
            std::function<std::string(const httplib::Request&)> line, bool tick = false) {
  http.Post(path, [&live, line, tick](const httplib::Request& req, httplib::Response& res) {
    std::lock_guard<std::mutex> hold(lock);
    try {
      live.Act(line(req), tick);
      Reply(res, 200, live.State(), "application/json");
    } catch (const BadRequest& bad) {
      Reply(res, 400, bad.reason + "\n", "text/plain; charset=utf-8");
    }
  });
}

// An address as a URL names it: IPv6 addresses in brackets.
std::string UrlHost(const std::string& address) {
  return address.find(':') == std::string::npos ? address : "[" + address + "]";
}

// Whether a request comes from the page itself. A browser lets any web page post a
// form to the loopback address, and a name that another site controls may come to
// point there: requests that name another host, or come from another page, are
// refused before they reach the recorder.
std::string Foreign(const httplib::Request& req, const std::string& address) {
  std::string host = req.get_header_value("Host");
  std::string name = host.substr(0, host[0] == '[' ? host.find(']') + 1 : host.rfind(':'));
  if (!host.empty() && name != UrlHost(address) && name != "localhost" && name != "127.0.0.1" &&
      name != "[::1]")
    return "the stand answers to its own address, not to '" + host + "'";
  std::string origin = req.get_header_value("Origin");
  if (!origin.empty() && origin != "http://" + host)
    return "requests from other pages (" + origin + ") are refused";
  return "";
}

void Routes(httplib::Server& http, Live& live, const std::string& address) {
  http.set_pre_routing_handler([address](const httplib::Request& req, httplib::Response& res) {
    std::string why = Foreign(req, address);
    if (why.empty()) return httplib::Server::HandlerResponse::Unhandled;
    Reply(res, 403, why + "\n", "text/plain; charset=utf-8");
    return httplib::Server::HandlerResponse::Handled;
  });
  http.Get("/", [](const httplib::Request&, httplib::Response& res) {
    Reply(res, 200, scrapdeck_stand_page, "text/html; charset=utf-8");
  });
  http.Get("/remote", [](const httplib::Request&, httplib::Response& res) {
    Reply(res, 200, scrapdeck_stand_remote, "application/json");
  });
  http.Get("/screen.png", [](const httplib::Request&, httplib::Response& res) {
    std::lock_guard<std::mutex> hold(lock);
    std::string png = stand::ScreenPng();
    if (png.empty())
      Reply(res, 500, "the screen could not be made into a picture\n", "text/plain");
    else
      Reply(res, 200, png, "image/png");
  });
  http.Get("/state", [&live](const httplib::Request&, httplib::Response& res) {
    std::lock_guard<std::mutex> hold(lock);
    Reply(res, 200, live.State(), "application/json");
  });
  http.Get("/scenario", [&live](const httplib::Request&, httplib::Response& res) {
    std::lock_guard<std::mutex> hold(lock);
    Reply(res, 200, live.Scenario(), "text/plain; charset=utf-8");
    res.set_header("Content-Disposition", "attachment; filename=\"session.scn\"");
  });
  Action(http, live, "/key", KeyLine);
  Action(
      http, live, "/idle",
      [](const httplib::Request&) { return std::string("idle 1 ") + kTickStep; }, true);
  Action(http, live, "/wait", WaitLine);
  Action(http, live, "/manager", [](const httplib::Request& req) {
    return "manager " + std::to_string(Number(Param(req, "request"), 0xFFFF, "the request"));
  });
  Action(http, live, "/play", [](const httplib::Request& req) {
    std::string path = PathParam(req);
    if (!fs::is_regular_file(HostPath(path))) throw BadRequest{"no file " + path + " on the disk"};
    return "play " + QuoteWord(path);
  });
  Action(http, live, "/stop-play",
         [](const httplib::Request&) { return std::string("stop-play"); });
  Action(http, live, "/record", [](const httplib::Request& req) {
    dword slot = SlotParam(req);
    std::string path = PathParam(req);
    std::error_code ec;
    if (fs::is_directory(HostPath(path), ec)) throw BadRequest{path + " is a folder"};
    for (fs::path p = fs::path(path).parent_path(); p != p.root_path(); p = p.parent_path())
      if (fs::exists(HostPath(p.string()), ec) && !fs::is_directory(HostPath(p.string()), ec))
        throw BadRequest{p.string() + " is a file, not a folder"};
    return "record " + std::to_string(slot) + " " + QuoteWord(path);
  });
  Action(http, live, "/stop-record", [](const httplib::Request& req) {
    return "stop-record " + std::to_string(SlotParam(req));
  });

  http.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
    if (!res.body.empty()) return;
    std::string why;
    switch (res.status) {
      case 400:
        why = "the request could not be read";
        break;
      case 404:
        why = "nothing at " + req.path;
        break;
      case 413:
        why = "the request is too large";
        break;
      case 414:
        why = "the request's address is too long";
        break;
      default:
        why = "the request was not answered";
    }
    res.set_content(std::to_string(res.status) + " " + why + "\n", "text/plain; charset=utf-8");
  });
  http.set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        Reply(res, 500, "the stand failed on this request\n", "text/plain");
      });
}

}  // namespace

bool ParseServeAddress(const std::string& text, ServeOptions& options) {
  size_t colon = text.rfind(':');
  std::string port = colon == std::string::npos ? text : text.substr(colon + 1);
  if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
    return false;
  int value = std::stoi(port);
  if (value > 65535) return false;
  if (colon != std::string::npos) {
    std::string address = text.substr(0, colon);
    if (address.size() >= 2 && address.front() == '[' && address.back() == ']')
      address = address.substr(1, address.size() - 2);  // an IPv6 address in brackets
    if (address.empty()) return false;
    options.address = address;
  }
  options.port = value;
  return true;
}

int Serve(const ServeOptions& options) {
  // SIGINT and SIGTERM end the server through a thread of their own, so that the
  // recorder's disk is cleaned up on the way out.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  Live live;
  std::string error;
  int code = 0;
  if (!live.Begin(options, error, code)) {
    std::fprintf(stderr, "scrapdeck-stand: %s%s", error.c_str(),
                 error.empty() || error.back() != '\n' ? "\n" : "");
    return code;
  }
  httplib::Server http;
  http.new_task_queue = [] { return new httplib::ThreadPool(6); };
  http.set_payload_max_length(4096);
  http.set_read_timeout(5);
  http.set_write_timeout(5);
  http.set_keep_alive_timeout(5);
  Routes(http, live, options.address);
  int port = options.port;
  if (port == 0)
    port = http.bind_to_any_port(options.address);
  else if (!http.bind_to_port(options.address, port))
    port = -1;
  if (port <= 0) {
    std::fprintf(stderr, "scrapdeck-stand: cannot listen on %s:%d\n", options.address.c_str(),
                 options.port);
    return 2;
  }
  std::printf("serving http://%s:%d/\n", UrlHost(options.address).c_str(), port);
  std::fflush(stdout);
  std::atomic<bool> signalled{false};
  std::thread waiter([&http, &signalled, signals] {
    int which = 0;
    sigwait(&signals, &which);
    signalled = true;
    http.stop();
  });
  bool listened = http.listen_after_bind();
  // Should listening end by itself, the waiter is let go with a signal of its own.
  if (!signalled) kill(getpid(), SIGTERM);
  waiter.join();
  return signalled || listened ? 0 : 2;
}

}  // namespace stand
