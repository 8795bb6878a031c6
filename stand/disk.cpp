// The recorder's disk: a sandbox folder that plays "/mnt/hd".
//
// The host's file calls work relative to the running plug-in's current directory,
// which lives in its plug-in table slot. The system-library calls that the plug-in
// makes on absolute paths (open, lstat, lstat64, fopen, remove) are interposed here:
// a leading "/mnt/hd" is mapped onto the sandbox, a leading mount point of another
// disk (Mount) onto that disk's sandbox, everything else passes unchanged.
// Reads and seeks on what was opened there are interposed too, so that each of these
// calls can be made to fail once, like the host's file calls.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>

#include "stand/stand.h"

namespace fs = std::filesystem;

namespace stand {
namespace {

std::string root;     // host folder of the disk; empty before the first Reset
pid_t rootOwner = 0;  // the process that made it: a forked child never removes it

void RemoveOwnDisk() {
  std::error_code ec;
  if (!root.empty() && rootOwner == getpid()) fs::remove_all(root, ec);
}
int changeDirSuccess = 1;
// Other disks: mount point ("/mnt/sdb1") -> host folder.
std::map<std::string, std::string> mounts;
// The stand's own working directory while UseWorkDir holds it, and the one before.
std::string workDir, formerWorkDir;

// Whether path is prefix itself or lies below it ("/mnt/hd/x", not "/mnt/hdd").
bool Below(const std::string& path, const std::string& prefix) {
  return path.compare(0, prefix.size(), prefix) == 0 &&
         (path.size() == prefix.size() || path[prefix.size()] == '/');
}

// The mount that a path lies on, or null.
const std::pair<const std::string, std::string>* MountOf(const std::string& path) {
  const std::pair<const std::string, std::string>* best = nullptr;
  for (auto& m : mounts)
    if (Below(path, m.first) && (!best || m.first.size() > best->first.size())) best = &m;
  return best;
}

// Host path of a path on the recorder's own disk ("/DataFiles/x"): what the
// host's file calls reach. Mount points mean nothing to them.
std::string RecorderHostPath(const std::string& diskPath) {
  if (diskPath.empty() || diskPath == "/") return root;
  return root + (diskPath[0] == '/' ? "" : "/") + diskPath;
}

// Calls made and armed faults of the failable calls. Built on first use and never
// destroyed, like the descriptor map below: the system calls may run before this
// file's statics are built and after they are gone.
struct CallFaults {
  std::map<std::string, size_t> calls, countdown;
};
CallFaults& Faults() {
  static auto* faults = new CallFaults;
  return *faults;
}

// A failable call's name; a name that is none of HostCallNames ends the run, so that a
// misspelt fault cannot arm nothing and let a test pass.
const std::string& KnownCall(const std::string& call) {
  const auto& names = HostCallNames();
  if (std::find(names.begin(), names.end(), call) == names.end()) {
    std::fprintf(stderr, "stand: no failable host call %s\n", call.c_str());
    std::abort();
  }
  return call;
}

// Counts a call; whether the armed fault of the call fires on it.
bool Fails(const char* call) {
  KnownCall(call);
  CallFaults& f = Faults();
  ++f.calls[call];
  auto it = f.countdown.find(call);
  if (it == f.countdown.end() || it->second == 0) return false;
  if (--it->second) return false;
  bool host = std::isupper(static_cast<unsigned char>(call[0]));
  LogLine((host ? std::string("TAP_Hdd_") : std::string()) + call + " failed on purpose");
  return true;
}

// A disk path ("/a/b") made from a name relative to the running plug-in's
// current directory, with "." and ".." resolved; ".." stops at the disk root.
std::string Resolve(const std::string& name) {
  std::string base = name.size() && name[0] == '/' ? "" : SlotDir(CurrentSlot());
  std::vector<std::string> parts;
  std::istringstream in(base + "/" + name);
  for (std::string part; std::getline(in, part, '/');) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (auto& p : parts)
    out += "/" + p;
  return out;
}

struct StandFile {
  TYPE_File record{};
  TYPE_FileInfo info{};
  char path[512];
  FILE* fp = nullptr;
};

int ChangeDir(const char* directory) {
  int failure = changeDirSuccess == 0 ? 1 : changeDirSuccess + 1;
  if (!directory || Fails("ChangeDir")) return failure;
  std::string target = Resolve(directory);
  if (!fs::is_directory(RecorderHostPath(target))) return failure;
  SetSlotDir(CurrentSlot(), target);
  return changeDirSuccess;
}

int Exist(const char* name) {
  return name && *name && fs::exists(RecorderHostPath(Resolve(name)));
}

TYPE_File* Fopen(const char* name) {
  if (!name || !*name || Fails("Fopen")) return nullptr;
  std::string disk = Resolve(name);
  std::string host = RecorderHostPath(disk);
  if (!fs::is_regular_file(host)) return nullptr;
  FILE* fp = std::fopen(host.c_str(), "r+b");
  if (!fp) return nullptr;
  auto* f = new StandFile;
  f->fp = fp;
  std::snprintf(f->path, sizeof f->path, DISK_ROOT "%s", disk.c_str());
  f->info.path = f->path;
  f->record.info = &f->info;
  return &f->record;
}

StandFile* Open(TYPE_File* file) {
  return reinterpret_cast<StandFile*>(file);
}

dword Fread(void* buffer, dword size, dword count, TYPE_File* file) {
  if (!file || !buffer) return 0;
  if (Fails("Fread")) count = count ? count - 1 : 0;
  return static_cast<dword>(std::fread(buffer, size, count, Open(file)->fp));
}

dword Fwrite(const void* buffer, dword size, dword count, TYPE_File* file) {
  if (!file || !buffer) return 0;
  if (Fails("Fwrite")) {
    // A short write: half the bytes reach the disk, as when the disk fills up.
    std::fwrite(buffer, 1, static_cast<size_t>(size) * count / 2, Open(file)->fp);
    std::fflush(Open(file)->fp);
    return 0;
  }
  size_t n = std::fwrite(buffer, size, count, Open(file)->fp);
  std::fflush(Open(file)->fp);
  return static_cast<dword>(n);
}

dword Flen(TYPE_File* file) {
  if (!file) return 0;
  struct stat st;
  if (fstat(fileno(Open(file)->fp), &st) != 0) return 0;
  return static_cast<dword>(st.st_size);
}

void Fclose(TYPE_File* file) {
  if (!file) return;
  std::fclose(Open(file)->fp);
  delete Open(file);
}

int Create(const char* name, byte attribute) {
  if (!name || !*name || Fails("Create")) return 0;
  std::string host = RecorderHostPath(Resolve(name));
  std::error_code ec;
  if (attribute == ATTR_FOLDER) return fs::create_directory(host, ec) || fs::is_directory(host);
  if (fs::exists(host)) return 0;
  std::ofstream(host, std::ios::binary);
  return fs::is_regular_file(host);
}

int Delete(const char* name) {
  if (!name || !*name || Fails("Delete")) return 0;
  std::string disk = Resolve(name);
  TraceCall({Call::HddDelete, {}, disk});
  std::error_code ec;
  return fs::remove(RecorderHostPath(disk), ec);
}

// Sandbox path of an absolute Linux path on the disk, or the path unchanged.
// A path that climbs above "/mnt/hd" with ".." lands on a name that never exists
// inside the sandbox: whatever the plug-in asks, it can never reach the PC's files.
// Paths on another disk are mapped onto its sandbox folder in the same way.
std::string MapLinuxPath(const char* path) {
  if (!path || root.empty()) return path ? path : "";
  std::string text = path;
  std::string prefix = DISK_ROOT, host = root;
  if (auto* mount = MountOf(text)) {
    prefix = mount->first;
    host = mount->second;
  } else if (!Below(text, prefix)) {
    return text;
  }
  int depth = 0;
  std::istringstream parts(text.substr(prefix.size()));
  for (std::string part; std::getline(parts, part, '/');) {
    if (part.empty() || part == ".") continue;
    depth += part == ".." ? -1 : 1;
    if (depth < 0) return host + "/.outside-the-disk/none";
  }
  return host + text.substr(prefix.size());
}

// How a mapped Linux path shows in traces: a path on the recorder's disk as a disk
// path ("/DataFiles/x.rec"), one on another disk as it is ("/mnt/sdb1/x.rec").
std::string Shown(const char* path) {
  return Below(path, DISK_ROOT) ? path + DISK_ROOT_LENGTH : path;
}

// Descriptors and streams the plug-in opened on the disk. Every thread's reads and
// closes pass through the replaced calls (the live stand's HTTP threads read and close
// their sockets) while the plug-in's thread opens disk files: the tables have a lock of
// their own. Built on first use and never destroyed: read and close run before this
// file's statics are built and after they are gone (the sandbox cleanup closes files).
struct OpenOnDisk {
  std::mutex lock;
  std::map<int, std::string> descriptors;  // by disk path
  std::set<FILE*> streams;
};
OpenOnDisk& Opened() {
  static auto* opened = new OpenOnDisk;
  return *opened;
}
void TrackDescriptor(int fd, const std::string& diskPath) {
  OpenOnDisk& o = Opened();
  std::lock_guard<std::mutex> hold(o.lock);
  o.descriptors[fd] = diskPath;
}
// Whether fd is a descriptor on the disk, and its disk path; forget: it is closed.
bool DiskDescriptor(int fd, std::string* diskPath, bool forget = false) {
  OpenOnDisk& o = Opened();
  std::lock_guard<std::mutex> hold(o.lock);
  auto it = o.descriptors.find(fd);
  if (it == o.descriptors.end()) return false;
  if (diskPath) *diskPath = it->second;
  if (forget) o.descriptors.erase(it);
  return true;
}
void TrackStream(FILE* file) {
  OpenOnDisk& o = Opened();
  std::lock_guard<std::mutex> hold(o.lock);
  o.streams.insert(file);
}
bool DiskStream(FILE* file, bool forget = false) {
  OpenOnDisk& o = Opened();
  std::lock_guard<std::mutex> hold(o.lock);
  return forget ? o.streams.erase(file) > 0 : o.streams.count(file) > 0;
}

// Reads made on the disk's descriptors, counted on the plug-in's thread alone (the
// live stand runs one event at a time).
std::map<std::string, size_t>& DiskReadCounts() {
  static auto* counts = new std::map<std::string, size_t>;
  return *counts;
}
size_t diskBytesRead = 0;

// The system library's call that a replacement here passes on to. A sanitizer that
// watches the call itself (ThreadSanitizer follows descriptors from open to close)
// is linked into the program under the same name, which the replacement takes: its
// own entry, "__interceptor_<call>", is passed on to then, so that it sees them all.
template <typename F>
F Next(const char* name) {
  void* watched = dlsym(RTLD_DEFAULT, ("__interceptor_" + std::string(name)).c_str());
  return reinterpret_cast<F>(watched ? watched : dlsym(RTLD_NEXT, name));
}

// The folder that holds the sandbox disks: under the build folder, so that what a
// crashed run leaves stays there; the system's temporary folder only when that one
// cannot be made (a stand copied elsewhere).
fs::path DiskFolder() {
  std::error_code ec;
  fs::path folder = SCRAPDECK_STAND_DISK_DIR;
  fs::create_directories(folder, ec);
  return fs::is_directory(folder, ec) ? folder : fs::temp_directory_path();
}

// Removes the other disks and gives the working directory back.
void DropMountsAndWorkDir() {
  std::error_code ec;
  for (auto& m : mounts)
    fs::remove_all(m.second, ec);
  mounts.clear();
  LeaveWorkDir();
}

// A new empty sandbox folder, "<kind>-<process id>-XXXXXX" (kind: disk, mount, work).
std::string NewSandbox(const char* kind) {
  static const fs::path folder = DiskFolder();
  std::string templ =
      (folder / (std::string(kind) + "-" + std::to_string(getpid()) + "-XXXXXX")).string();
  if (!mkdtemp(templ.data())) {
    std::perror("stand: mkdtemp");
    std::abort();
  }
  return templ;
}

}  // namespace

// Sandbox folders are named "<kind>-<process id>-XXXXXX", so that those of a process
// that died without its cleanup can be told from those of processes still running.
void RemoveDisksOfDeadProcesses() {
  std::error_code ec;
  std::vector<fs::path> dead;
  for (const auto& entry : fs::directory_iterator(DiskFolder(), ec)) {
    std::string name = entry.path().filename().string();
    std::size_t dash = name.find('-');
    std::string kind = name.substr(0, dash);
    if (dash == std::string::npos || (kind != "disk" && kind != "mount" && kind != "work"))
      continue;
    char* end = nullptr;
    long pid = std::strtol(name.c_str() + dash + 1, &end, 10);
    if (pid <= 0 || *end != '-') continue;
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) dead.push_back(entry.path());
  }
  for (const fs::path& disk : dead)
    fs::remove_all(disk, ec);
}

void ResetDisk() {
  DropMountsAndWorkDir();
  RemoveOwnDisk();
  static bool swept = false;
  if (!swept) {
    swept = true;
    RemoveDisksOfDeadProcesses();
  }
  root = NewSandbox("disk");
  rootOwner = getpid();
  for (auto* d : {"/DataFiles", kProgramFolder, kSettingsFolder})
    MakeDir(d);
  changeDirSuccess = 1;
  Faults() = CallFaults{};
  DiskReadCounts().clear();
  diskBytesRead = 0;
  TAP_Hdd_ChangeDir = ChangeDir;
  TAP_Hdd_Exist = Exist;
  TAP_Hdd_Fopen = Fopen;
  TAP_Hdd_Fread = Fread;
  TAP_Hdd_Fwrite = Fwrite;
  TAP_Hdd_Flen = Flen;
  TAP_Hdd_Fclose = Fclose;
  TAP_Hdd_Create = Create;
  TAP_Hdd_Delete = Delete;
}

// The sandbox goes away with the process that made it.
static struct DiskCleanup {
  ~DiskCleanup() {
    if (rootOwner == getpid()) DropMountsAndWorkDir();
    RemoveOwnDisk();
  }
} diskCleanup;

const char* const kProgramFolder = "/ProgramFiles";
const char* const kSettingsFolder = "/ProgramFiles/Settings";

std::string ProgramDiskPath(const std::string& imageFile) {
  return std::string(kProgramFolder) + "/" + fs::path(imageFile).filename().string();
}

const std::string& DiskRoot() {
  return root;
}

std::vector<std::string> FolderEntries(const std::string& folder, std::string& error) {
  std::vector<std::string> entries;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error = "no folder " + folder;
    return entries;
  }
  // The iterator does not follow a link to a folder; links are passed over here.
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::file_status status = it->symlink_status(ec);
    if (!ec && (fs::is_directory(status) || fs::is_regular_file(status)))
      entries.push_back("/" + it->path().lexically_relative(folder).generic_string());
  }
  if (ec) error = "cannot read " + folder + ": " + ec.message();
  std::sort(entries.begin(), entries.end());
  return entries;
}

bool CopyOntoDisk(const std::string& folder, std::string& error) {
  error.clear();
  std::vector<std::string> entries = FolderEntries(folder, error);
  std::error_code ec;
  // Sorted, a folder comes before what it holds.
  for (size_t i = 0; error.empty() && i < entries.size(); ++i) {
    const fs::path from = folder + entries[i], to = RecorderHostPath(entries[i]);
    if (fs::is_directory(from, ec))
      fs::create_directories(to, ec);
    else
      fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) error = "cannot copy " + from.string() + " onto the disk: " + ec.message();
  }
  return error.empty();
}

std::string HostPath(const std::string& diskPath) {
  if (auto* mount = MountOf(diskPath)) return mount->second + diskPath.substr(mount->first.size());
  return RecorderHostPath(diskPath);
}

bool Mount(const std::string& mountPoint) {
  if (!Below(mountPoint, "/mnt") || mountPoint.size() < 6 || mountPoint.back() == '/' ||
      Below(mountPoint, DISK_ROOT) || mountPoint.find("//") != std::string::npos ||
      mountPoint.find("/.") != std::string::npos || mounts.count(mountPoint))
    return false;
  mounts[mountPoint] = NewSandbox("mount");
  return true;
}

std::string LinuxPath(const std::string& diskPath) {
  if (MountOf(diskPath)) return diskPath;
  return DISK_ROOT + (diskPath == "/" ? std::string() : diskPath);
}

void LeaveWorkDir() {
  if (workDir.empty()) return;
  if (chdir(formerWorkDir.c_str()) != 0) std::perror("stand: chdir");
  std::error_code ec;
  fs::remove_all(workDir, ec);
  workDir.clear();
}

const std::string& UseWorkDir() {
  if (workDir.empty()) {
    std::error_code ec;
    formerWorkDir = fs::current_path(ec).string();
    workDir = NewSandbox("work");
    if (chdir(workDir.c_str()) != 0) {
      std::perror("stand: chdir");
      std::abort();
    }
  }
  return workDir;
}

void WriteFile(const std::string& diskPath, const std::string& bytes) {
  fs::path host = HostPath(diskPath);
  fs::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& diskPath) {
  std::ifstream in(HostPath(diskPath), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::string& diskPath) {
  return fs::exists(HostPath(diskPath));
}
void MakeDir(const std::string& diskPath) {
  fs::create_directories(HostPath(diskPath));
}

std::vector<std::string> ListFiles(const std::string& diskPath) {
  std::vector<std::string> out;
  std::error_code ec;
  // Paths on another disk are listed with their mount point.
  auto* mount = MountOf(diskPath);
  std::string host = mount ? mount->second : root;
  std::string shown = mount ? mount->first : "";
  for (auto& e : fs::recursive_directory_iterator(HostPath(diskPath), ec)) {
    if (e.is_regular_file()) out.push_back(shown + e.path().string().substr(host.size()));
  }
  std::sort(out.begin(), out.end());
  return out;
}

size_t DiskBytesRead() {
  return diskBytesRead;
}

size_t DiskReads(const std::string& diskPath) {
  auto it = DiskReadCounts().find(diskPath);
  return it == DiskReadCounts().end() ? 0 : it->second;
}

void SetChangeDirSuccess(int value) {
  changeDirSuccess = value;
}
void FailHostCall(const std::string& call, size_t n) {
  Faults().countdown[KnownCall(call)] = n;
}

const std::vector<std::string>& HostCallNames() {
  static const std::vector<std::string> names = {"Fopen",  "Fread",     "Fwrite", "Create",
                                                 "Delete", "ChangeDir", "open",   "read",
                                                 "lseek",  "fopen",     "fread",  "remove"};
  return names;
}

size_t HostCalls(const std::string& call) {
  auto it = Faults().calls.find(KnownCall(call));
  return it == Faults().calls.end() ? 0 : it->second;
}

}  // namespace stand

// ---- System-library calls of the plug-in, mapped onto the sandbox ----
extern "C" {

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & O_CREAT) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, int);
    va_end(args);
  }
  static auto next = stand::Next<int (*)(const char*, int, ...)>("open");
  std::string mapped = stand::MapLinuxPath(path);
  if (mapped != path && stand::Fails("open")) {
    errno = EIO;
    return -1;
  }
  int fd = next(mapped.c_str(), flags, mode);
  if (fd >= 0 && mapped != path) stand::TrackDescriptor(fd, stand::Shown(path));
  return fd;
}

ssize_t read(int fd, void* buffer, size_t count) {
  static auto next = stand::Next<ssize_t (*)(int, void*, size_t)>("read");
  std::string disk;
  if (stand::DiskDescriptor(fd, &disk)) {
    ++stand::DiskReadCounts()[disk];
    if (stand::Fails("read")) {
      errno = EIO;
      return -1;
    }
    const ssize_t got = next(fd, buffer, count);
    if (got > 0) stand::diskBytesRead += static_cast<size_t>(got);
    return got;
  }
  return next(fd, buffer, count);
}

off_t lseek(int fd, off_t offset, int whence) {
  static auto next = stand::Next<off_t (*)(int, off_t, int)>("lseek");
  if (stand::DiskDescriptor(fd, nullptr) && stand::Fails("lseek")) {
    errno = EIO;
    return -1;
  }
  return next(fd, offset, whence);
}

int close(int fd) {
  static auto next = stand::Next<int (*)(int)>("close");
  stand::DiskDescriptor(fd, nullptr, true);
  return next(fd);
}

int lstat(const char* path, struct stat* st) {
  static auto next = stand::Next<int (*)(const char*, struct stat*)>("lstat");
  return next(stand::MapLinuxPath(path).c_str(), st);
}

int lstat64(const char* path, struct stat64* st) {
  static auto next = stand::Next<int (*)(const char*, struct stat64*)>("lstat64");
  return next(stand::MapLinuxPath(path).c_str(), st);
}

FILE* fopen(const char* path, const char* mode) {
  static auto next = stand::Next<FILE* (*)(const char*, const char*)>("fopen");
  std::string mapped = stand::MapLinuxPath(path);
  bool disk = path && mapped != path;
  if (disk && stand::Fails("fopen")) {
    errno = EIO;
    return nullptr;
  }
  FILE* file = next(mapped.c_str(), mode);
  if (file && disk) stand::TrackStream(file);
  return file;
}

size_t fread(void* buffer, size_t size, size_t count, FILE* file) {
  static auto next = stand::Next<size_t (*)(void*, size_t, size_t, FILE*)>("fread");
  if (stand::DiskStream(file) && stand::Fails("fread")) return 0;
  return next(buffer, size, count, file);
}

int fclose(FILE* file) {
  static auto next = stand::Next<int (*)(FILE*)>("fclose");
  stand::DiskStream(file, true);
  return next(file);
}

int remove(const char* path) {
  static auto next = stand::Next<int (*)(const char*)>("remove");
  std::string mapped = stand::MapLinuxPath(path);
  if (path && mapped != path) {
    stand::TraceCall({stand::Call::Remove, {}, stand::Shown(path)});
    if (stand::Fails("remove")) {
      errno = EIO;
      return -1;
    }
  }
  return next(mapped.c_str());
}
}
