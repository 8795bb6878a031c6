// The test stand: a recorder firmware on a PC, as far as the plug-in can tell.
//
// The stand defines the host function table, keeps the recorder's disk in a
// sandbox folder, exports the firmware objects, runs a virtual clock and loads
// plug-in images. Tests and the scrapdeck-stand program drive it through this API.
// Everything is single-threaded, like the recorder's plug-in thread.
#ifndef SCRAPDECK_STAND_STAND_H
#define SCRAPDECK_STAND_STAND_H

#include <cstddef>
#include <string>
#include <vector>

#include "host/tap.h"
#include "stand/trace.h"

namespace stand {

// A fresh recorder: a new empty sandbox disk (with /DataFiles, /ProgramFiles and
// /ProgramFiles/Settings), the clock at 0, no allocations, empty log and trace, no
// plug-ins in the table, all firmware objects present, plain (non-UTF-8) firmware.
void Reset();

// ---- Memory (TAP_MemAlloc / TAP_MemFree) ----
struct MemoryStats {
  size_t liveBlocks = 0;
  size_t liveBytes = 0;
  size_t peakBytes = 0;
  size_t allocations = 0;  // successful and failed calls of TAP_MemAlloc since Reset
};
MemoryStats Memory();
// Makes the n-th call of TAP_MemAlloc from now fail (1 = the next one); 0 disarms.
void FailAllocation(size_t n);
// Size of a live block, 0 when the pointer is not one.
size_t BlockSize(const void* block);

// ---- Log (TAP_Print) and call trace ----
const std::string& Log();
void ClearLog();
void LogLine(const std::string& line);  // the stand's own remarks, prefixed "stand: "
// Calls of interest in order (stand/trace.h): the stops of playbacks and recordings and the
// deletions and removals of disk files.
const std::vector<TraceEntry>& Trace();
void ClearTrace();
void TraceCall(TraceEntry entry);

// ---- Clock and identity ----
dword Now();
void Advance(dword ticks);
// Sets the tick counter, for instance just short of its wrap.
void SetClock(dword ticks);
void SetSystemId(dword id);

// ---- Disk ----
// The recorder's settings folder ("/ProgramFiles/Settings"): the plug-ins' settings,
// the standard fonts and the model table live there. Every fresh disk has it.
extern const char* const kSettingsFolder;
// Where the recorder keeps plug-in images ("/ProgramFiles"), and the disk path of an
// image file put there.
extern const char* const kProgramFolder;
std::string ProgramDiskPath(const std::string& imageFile);
// Host folder that plays "/mnt/hd".
const std::string& DiskRoot();
// Host path of a disk path ("/DataFiles/Film.rec"; "" or "/" is the disk root), or of
// a path on another disk ("/mnt/sdb1/DataFiles/Film.rec"). Every disk routine here
// takes both kinds; the host's own file calls reach only the recorder's disk.
std::string HostPath(const std::string& diskPath);
// Another disk: a new empty sandbox folder that the firmware and the system-library
// calls see at mountPoint ("/mnt/sdb1"), until Reset. False for a mount point that
// is not a plain folder below "/mnt" (the recorder's "/mnt/hd" and below, a
// trailing '/', "." or ".." parts) or is taken already.
bool Mount(const std::string& mountPoint);
// The absolute path the firmware reports for a disk path: "/mnt/hd/DataFiles/x" for
// "/DataFiles/x", the path itself on another disk.
std::string LinuxPath(const std::string& diskPath);
// Makes a new empty sandbox folder the process's working directory, until Reset
// gives the former one back; later calls return the same folder. The plug-in's
// system-library calls on relative paths land there.
const std::string& UseWorkDir();
// Gives the former working directory back now and removes the folder.
void LeaveWorkDir();
// Writes a file on the disk, creating its folders.
void WriteFile(const std::string& diskPath, const std::string& bytes);
std::string ReadFile(const std::string& diskPath);
bool Exists(const std::string& diskPath);
void MakeDir(const std::string& diskPath);
// Removes the sandbox disks that processes now gone left behind (a crash, a kill at
// a test's time limit). The first Reset of every process does it.
void RemoveDisksOfDeadProcesses();
// What of a PC folder a disk can start as: its files and folders as sorted disk
// paths ("/DataFiles", "/DataFiles/Film.rec"). Symbolic links (which could lead
// anywhere on the PC, or round in a circle) and special files are left out, as the
// recorder's disk has none. Empty with a reason when the folder cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder, std::string& error);
// Copies FolderEntries of a PC folder onto the disk's root, over what is there (a
// recorder whose disk starts as that folder). False with a reason when the folder
// cannot be read or copied.
bool CopyOntoDisk(const std::string& folder, std::string& error);
// Every file below a disk folder, as sorted disk paths.
std::vector<std::string> ListFiles(const std::string& diskPath = "/");
// Copies the standard fonts that the build made (the toolkit's OSDMENU_STD_FONT_FILES)
// into the toolkit's font folder, all but leaveOut. They are read once per process from
// the folder SCRAPDECK_STAND_FONT_DIR names in the environment, else the build's. Returns
// "" or the host path of a font that could not be read.
std::string InstallStandardFonts(const std::string& leaveOut = "");
// TAP_Hdd_ChangeDir answers this value on success (and another one on failure).
void SetChangeDirSuccess(int value);
// Number of read calls since Reset on descriptors that the system-library open
// gave for a disk file ("/mnt/hd/..."), by disk path ("/ProgramFiles/x").
size_t DiskReads(const std::string& diskPath);
// Bytes those read calls gave, since Reset.
size_t DiskBytesRead();
// Host file faults: the n-th call from now of the named host call fails
// ("Fopen", "Fread", "Fwrite", "Create", "Delete", "ChangeDir"; reads and writes
// come up short), or of the named system-library call on a disk file ("open",
// "read", "lseek", "fopen", "fread", "remove"; these fail with EIO, fread reads
// nothing). 0 disarms. A name that is none of these ends the run.
void FailHostCall(const std::string& call, size_t n);
// The failable calls above, and how often each was called since Reset (a system
// call counts only on a disk file).
const std::vector<std::string>& HostCallNames();
size_t HostCalls(const std::string& call);

// ---- Firmware objects ----
// Plug-in table slot of the plug-in whose code runs ("_curTapTask").
void SetCurrentSlot(dword slot);
dword CurrentSlot();
// Current directory of a plug-in slot as a disk path ("/ProgramFiles"), or "" when
// the slot is empty.
std::string SlotDir(dword slot);
void SetSlotDir(dword slot, const std::string& diskPath);
// Puts an image file (a disk path) into a table slot, or empties the slot (""). Each
// image put there is a start: the slot's entry changes with it (a count of starts in
// its reserved bytes), as the recorder's does when it starts a plug-in.
void SetSlotImage(dword slot, const std::string& imageDiskPath);
// Which firmware objects the plug-in can find by name: "_tapTask", "_curTapTask",
// "_hddRecordFile", "_osdInfo", and "_Z26Appl_ConvertToValidUTF8StrPhi" (the mark
// of a UTF-8 firmware, absent after Reset).
void SetFirmwareSymbol(const std::string& name, bool exported);
bool FirmwareSymbolExported(const std::string& name);
TYPE_TapEntry* TapTable();
TYPE_RecordFile* RecordFileArray();
TYPE_OsdMapEntry* OsdMap();
enum : size_t { RECORD_SLOTS_MAX = 8, OSD_HANDLES = 512 };

// A host file record (TYPE_File) for a disk path or a path on another disk, owned
// by the stand; valid until Reset. Null path pointer for "".
TYPE_File* FileRecord(const std::string& diskPath);

// ---- Plug-in images ----
struct Plugin {
  void* handle = nullptr;
  TYPE_TapEntryPoints entries{};
  dword slot = 0;
  std::string diskPath;  // where the image lies on the recorder's disk
};
// Copies an image file onto the disk (/ProgramFiles/<name>), loads it like the
// recorder does, registers it in the slot (current directory /ProgramFiles) and
// makes it the running plug-in. False with a reason when it cannot.
bool LoadPlugin(const std::string& imageFile, dword slot, Plugin& plugin, std::string& error);
void UnloadPlugin(Plugin& plugin);
// Calls into a loaded plug-in with its slot made the running one.
int CallMain(const Plugin& plugin);
dword CallEvent(const Plugin& plugin, dword event, dword param1, dword param2 = 0);

// Module resets, called by Reset (one per stand module).
void ResetMemory();
void ResetClock();
void ResetDisk();
void ResetFirmware();
void ResetRecorder();
void ResetOsd();

}  // namespace stand

#endif
