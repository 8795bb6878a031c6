// The plug-in's only view of the recorder firmware: base types, event and key codes,
// the records the firmware fills in or exports, and the function table.
//
// Records are declared with named fields. The byte offsets noted beside the fields
// are those of the 32-bit recorder and are checked below when compiling for it; a
// 64-bit stand builds the same structs with its own layout, which is why code reads
// fields by name and never by offset.
#ifndef SCRAPDECK_HOST_TAP_H
#define SCRAPDECK_HOST_TAP_H

#include <stddef.h>
#include <stdint.h>

typedef uint8_t byte;
typedef uint16_t word;
typedef uint32_t dword;

// Host events: the low 16 bits of the event entry's first argument.
enum : word {
  HOST_EVENT_IDLE = 0x0000,
  HOST_EVENT_KEY = 0x0100,      // param1: key code
  HOST_EVENT_MANAGER = 0x0B00,  // param1: request number
};

// Requests of the host's plug-in manager (HOST_EVENT_MANAGER's param1). Their meanings
// belong to the host; request 2 asks for the plug-in's settings. The others answered with
// something other than 0 are answered MANAGER_ANSWER_YES, or MANAGER_ANSWER_3 for request 3.
enum : dword {
  MANAGER_REQUEST_1 = 1,
  MANAGER_REQUEST_SETTINGS = 2,
  MANAGER_REQUEST_3 = 3,
  MANAGER_REQUEST_5 = 5,
  MANAGER_REQUEST_6 = 6,
  MANAGER_ANSWER_YES = 1,
  MANAGER_ANSWER_3 = 0x01000001,
};

// The visible screen in pixels.
enum : dword {
  SCREEN_WIDTH = 720,
  SCREEN_HEIGHT = 576,
};

// The disk's root for the system library (open, fopen, ...): "/mnt/hd/DataFiles" is the
// host's "/DataFiles".
#define DISK_ROOT "/mnt/hd"
enum : dword { DISK_ROOT_LENGTH = sizeof DISK_ROOT - 1 };

// Remote-control keys.
enum : dword {
  KEY_LEFT = 0x1000F,
  KEY_UP = 0x10012,
  KEY_RIGHT = 0x10015,
  KEY_EXIT = 0x10017,
  KEY_SETTINGS = 0x1001C,
  KEY_DOWN = 0x1001D,
  KEY_OK = 0x1001E,
  KEY_GREEN = 0x10024,
  KEY_BLUE = 0x10026,
  KEY_STOP = 0x1003C,
  KEY_RED = 0x1003F,
  KEY_PAGEUP_1 = 0x10045,
  KEY_PAGEDOWN_1 = 0x10046,
  KEY_PAGEUP_2 = 0x10047,
  KEY_PAGEDOWN_2 = 0x10048,
};

// Attributes of TAP_Hdd_Create.
enum : byte {
  ATTR_FILE = 0xD0,
  ATTR_FOLDER = 0xE0,
};

// Flags of TAP_Osd_Create.
enum : dword {
  OSD_FLAG_PLANE = 0x2000,   // passed by the settings window; meaning belongs to the firmware
  OSD_FLAG_MEMORY = 0x8000,  // a region in memory only, never shown
};

// Second record behind a host file record; holds the file's absolute Linux path.
struct TYPE_FileInfo {
  byte reserved0[8];
  const char* path;  // 8: "/mnt/hd/...", may be null
};

// The host's record of an open or known file. Only the path is read.
struct TYPE_File {
  byte reserved0[144];
  TYPE_FileInfo* info;  // 144: may be null
};

// Play information record, filled by TAP_Hdd_GetPlayInfo (312 bytes on the recorder).
struct TYPE_PlayInfo {
  byte playMode;  // 0: nothing played; 2: a recording is played; 5: a special mode
  byte reserved0[15];
  dword totalBlock;  // 16: non-zero while the playback is real
  TYPE_File* file;   // 20: the played file, may be null
  byte reserved1[288];
};

// Record information record of one record slot, filled by TAP_Hdd_GetRecInfo
// (152 bytes on the recorder).
struct TYPE_RecInfo {
  dword recState;  // running when (recState & 0xFF0000FF) == 1
  byte reserved0[16];
  char fileName[132];  // 20: name only, with its extension, NUL-terminated
};

// Directory record of a plug-in table slot.
struct TYPE_TapDir {
  dword reserved0;
  const char* path;  // 4: the slot's current directory, "/mnt/hd..."
};

// One slot of the firmware's plug-in table "_tapTask" (16 slots of 44 bytes).
struct TYPE_TapEntry {
  byte reserved0[8];
  TYPE_File* file;  // 8: the plug-in's image file, null for an empty slot
  byte reserved1[28];
  TYPE_TapDir* dir;  // 40: may be null
};

// One record slot of the firmware's record-file array "_hddRecordFile".
struct TYPE_RecordFile {
  TYPE_File* file;  // the slot's recording file, null while idle
  void* second;
  void* third;
};

// One entry of the firmware's region map "_osdInfo", indexed by region handle.
struct TYPE_OsdMapEntry {
  word x;
  word y;
  word width;
  byte reserved0[10];
};

// A host graphic as TAP_Osd_PutGd draws it.
struct TYPE_GrData {
  byte version;         // 1
  byte reserved;        // 0
  byte dataFormat;      // 1: 32-bit ARGB
  byte compressMethod;  // 2: records of -lh5- compressed pixels
  const byte* data;
  dword size;  // unpacked bytes: width * height * 4
  word width;
  word height;
};

enum : dword { TAP_TABLE_SLOTS = 16 };

// What __TAP_Init_ fills in for the host: the plug-in's two entries, in this order.
struct TYPE_TapEntryPoints {
  int (*main)(void);
  dword (*eventHandler)(dword event, dword param1, dword param2);
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(TYPE_FileInfo, path) == 8, "file info path");
static_assert(offsetof(TYPE_File, info) == 144, "file record info");
static_assert(sizeof(TYPE_PlayInfo) == 312, "play information size");
static_assert(offsetof(TYPE_PlayInfo, totalBlock) == 16, "play information word");
static_assert(offsetof(TYPE_PlayInfo, file) == 20, "play information file");
static_assert(sizeof(TYPE_RecInfo) == 152, "record information size");
static_assert(offsetof(TYPE_RecInfo, fileName) == 20, "record information name");
static_assert(offsetof(TYPE_TapDir, path) == 4, "directory record path");
static_assert(sizeof(TYPE_TapEntry) == 44, "plug-in table entry size");
static_assert(offsetof(TYPE_TapEntry, file) == 8, "plug-in table entry file");
static_assert(offsetof(TYPE_TapEntry, dir) == 40, "plug-in table entry directory");
static_assert(sizeof(TYPE_RecordFile) == 12, "record-file entry size");
static_assert(sizeof(TYPE_GrData) == 16, "graphic descriptor size");
#endif
static_assert(sizeof(TYPE_OsdMapEntry) == 16, "region map entry size");
static_assert(sizeof(TYPE_RecInfo) == 152, "record information size");

extern "C" {
// The plug-in's name as its image's "._tap_program_name" section carries it (core/id.cpp),
// for the toolkit's notices.
extern const char TAP_PROGRAM_NAME[64];

#define TAP_FN(result, name, arguments) extern result(*name) arguments;
#include "host/tap_table.h"
#undef TAP_FN
}

#endif
