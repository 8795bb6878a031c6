// Firmware objects and the plug-in table.
//
// The stand's own model of the table (slot images, current directories) lives
// here; the exported objects are views of it, rewritten after every change and
// carried over when an object's library is loaded again with another scope.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>

#include "stand/stand.h"

#ifndef SCRAPDECK_STAND_LIB_DIR
#error "SCRAPDECK_STAND_LIB_DIR names the folder of the firmware object libraries"
#endif

namespace stand {
namespace {

struct ObjectLib {
  const char* symbol;
  const char* library;
  size_t size;
  void* handle = nullptr;
  void* address = nullptr;
  bool exported = false;
};

ObjectLib objects[] = {
    {"_tapTask", "libscrapdeck-fw-taptask.so", sizeof(TYPE_TapEntry) * TAP_TABLE_SLOTS},
    {"_curTapTask", "libscrapdeck-fw-curtaptask.so", sizeof(dword)},
    {"_hddRecordFile", "libscrapdeck-fw-hddrecordfile.so",
     sizeof(TYPE_RecordFile) * RECORD_SLOTS_MAX},
    {"_osdInfo", "libscrapdeck-fw-osdinfo.so", sizeof(TYPE_OsdMapEntry) * OSD_HANDLES},
    {"_Z26Appl_ConvertToValidUTF8StrPhi", "libscrapdeck-fw-utf8.so", 0},
};

ObjectLib& Object(const std::string& symbol) {
  for (auto& o : objects)
    if (symbol == o.symbol) return o;
  std::fprintf(stderr, "stand: no firmware object %s\n", symbol.c_str());
  std::abort();
}

// (Re)loads an object's library with the wanted scope, keeping its contents.
void Load(ObjectLib& o, bool exported) {
  if (o.handle && o.exported == exported) return;
  std::string saved(o.size, '\0');
  if (o.address && o.size) std::memcpy(saved.data(), o.address, o.size);
  if (o.handle) dlclose(o.handle);
  const char* dir = std::getenv("SCRAPDECK_STAND_LIB_DIR");
  std::string path = std::string(dir ? dir : SCRAPDECK_STAND_LIB_DIR) + "/" + o.library;
  o.handle = dlopen(path.c_str(), RTLD_NOW | (exported ? RTLD_GLOBAL : RTLD_LOCAL));
  if (!o.handle) {
    std::fprintf(stderr, "stand: cannot load %s: %s\n", path.c_str(), dlerror());
    std::abort();
  }
  o.address = dlsym(o.handle, o.symbol);
  o.exported = exported;
  if (o.address && o.size) std::memcpy(o.address, saved.data(), o.size);
}

struct Slot {
  bool used = false;
  dword starts = 0;  // plug-ins started in the slot so far
  char image[512] = "";
  TYPE_FileInfo imageInfo{};
  TYPE_File imageFile{};
  char dir[512] = "";
  TYPE_TapDir dirRecord{};
};
Slot slots[TAP_TABLE_SLOTS];
dword currentSlot = 0;

// Host file records handed out by FileRecord.
struct Record {
  char path[512];
  TYPE_FileInfo info;
  TYPE_File file;
};
std::deque<Record> records;

void SyncTable() {
  auto* table = static_cast<TYPE_TapEntry*>(Object("_tapTask").address);
  for (dword i = 0; i < TAP_TABLE_SLOTS; ++i) {
    Slot& s = slots[i];
    s.imageInfo.path = s.image;
    s.imageFile.info = &s.imageInfo;
    s.dirRecord.path = s.dir;
    std::memset(&table[i], 0, sizeof table[i]);
    table[i].file = s.used ? &s.imageFile : nullptr;
    // The recorder's entry changes with every start in the slot (the started image's
    // own run-time state); the stand writes the number of starts there.
    std::memcpy(table[i].reserved1, &s.starts, sizeof s.starts);
    table[i].dir = s.dir[0] ? &s.dirRecord : nullptr;
  }
  *static_cast<dword*>(Object("_curTapTask").address) = currentSlot;
}

void CopyPath(char* destination, const std::string& diskPath) {
  std::snprintf(destination, 512, DISK_ROOT "%s", diskPath == "/" ? "" : diskPath.c_str());
}

}  // namespace

void ResetFirmware() {
  for (auto& o : objects) {
    Load(o, true);
    if (o.address && o.size) std::memset(o.address, 0, o.size);
  }
  Load(Object("_Z26Appl_ConvertToValidUTF8StrPhi"), false);
  for (auto& s : slots)
    s = Slot{};
  currentSlot = 0;
  records.clear();
  SyncTable();
}

void SetFirmwareSymbol(const std::string& name, bool exported) {
  Load(Object(name), exported);
  SyncTable();
}

bool FirmwareSymbolExported(const std::string& name) {
  return Object(name).exported;
}

TYPE_TapEntry* TapTable() {
  return static_cast<TYPE_TapEntry*>(Object("_tapTask").address);
}
TYPE_RecordFile* RecordFileArray() {
  return static_cast<TYPE_RecordFile*>(Object("_hddRecordFile").address);
}
TYPE_OsdMapEntry* OsdMap() {
  return static_cast<TYPE_OsdMapEntry*>(Object("_osdInfo").address);
}

void SetCurrentSlot(dword slot) {
  currentSlot = slot;
  SyncTable();
}
dword CurrentSlot() {
  return currentSlot;
}

std::string SlotDir(dword slot) {
  if (slot >= TAP_TABLE_SLOTS || !slots[slot].dir[0]) return "";
  return slots[slot].dir + DISK_ROOT_LENGTH;
}

void SetSlotDir(dword slot, const std::string& diskPath) {
  if (slot >= TAP_TABLE_SLOTS) return;
  CopyPath(slots[slot].dir, diskPath);
  SyncTable();
}

void SetSlotImage(dword slot, const std::string& imageDiskPath) {
  if (slot >= TAP_TABLE_SLOTS) return;
  Slot& s = slots[slot];
  s.used = !imageDiskPath.empty();
  if (s.used) {
    ++s.starts;
    CopyPath(s.image, imageDiskPath);
    if (!s.dir[0]) CopyPath(s.dir, kProgramFolder);
  } else {
    const dword starts = s.starts;
    s = Slot{};
    s.starts = starts;
  }
  SyncTable();
}

TYPE_File* FileRecord(const std::string& diskPath) {
  records.emplace_back();
  Record& r = records.back();
  r = Record{};
  std::snprintf(r.path, sizeof r.path, "%s", LinuxPath(diskPath).c_str());
  r.info.path = diskPath.empty() ? nullptr : r.path;
  r.file.info = &r.info;
  return &r.file;
}

}  // namespace stand
