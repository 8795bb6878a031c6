// Firmware objects that the function table does not offer, found by their link
// names in the running firmware. All of them belong to the firmware: read them,
// never write, free or call them.
#ifndef SCRAPDECK_LIB_FIRMWARE_FIRMWARE_H
#define SCRAPDECK_LIB_FIRMWARE_FIRMWARE_H

#include "host/tap.h"

// Address of a symbol of the running firmware, or null when it exports none by
// that name. Nothing is kept between calls.
void* TryResolve(const char* symbolName);

// Each accessor looks its object up on first use and keeps the address; a missing
// object gives null and is looked up again on the next call.
TYPE_TapEntry* FIS_vTAPTable(void);            // "_tapTask": TAP_TABLE_SLOTS entries
dword* FIS_vCurTapTask(void);                  // "_curTapTask": index of the running plug-in
TYPE_RecordFile* FIS_vhddRecordFile(void);     // "_hddRecordFile": one entry per record slot
TYPE_OsdMapEntry* FIS_vOsdMap(void);           // "_osdInfo": one entry per region handle
void* FIS_fwAppl_ConvertToValidUTF8Str(void);  // present only on UTF-8 firmware

// The accessors' caches (null until found).
extern TYPE_TapEntry* FIS_TAPTableAddress;
extern dword* FIS_CurTapTaskAddress;
extern TYPE_RecordFile* FIS_hddRecordFileAddress;
extern TYPE_OsdMapEntry* FIS_OsdMapAddress;
extern void* FIS_ConvertToValidUTF8StrAddress;

// ---- Model table and system identity ----

// The receiver's system id: the low 16 bits of TAP_GetSystemId.
word GetSysID(void);

// Model table file "FirmwareTMS.dat" (little-endian, records without gaps): this
// header, then modelCount model records.
struct TYPE_FirmwareDatHeader {
  dword magic;  // FIRMWARE_DAT_MAGIC
  dword reserved0;
  dword zero;  // must be 0
  dword modelCount;
  dword reserved1;
};

struct TYPE_FirmwareDatModel {
  word sysId;  // compared with GetSysID
  byte reserved0[322];
  dword recordSlots;  // 324: number of record slots of the model
  byte reserved1[20];
};

enum : dword { FIRMWARE_DAT_MAGIC = 0x12345678 };

static_assert(sizeof(TYPE_FirmwareDatHeader) == 20, "model table header size");
static_assert(offsetof(TYPE_FirmwareDatHeader, modelCount) == 12, "model table count");
static_assert(sizeof(TYPE_FirmwareDatModel) == 348, "model record size");
static_assert(offsetof(TYPE_FirmwareDatModel, recordSlots) == 324, "model record slots");

// Loads and checks the model table on first use ("/mnt/hd/ProgramFiles/Settings",
// then "/mnt/hd/ProgramFiles") and keeps it for the plug-in's life. On success the
// outputs that are given point into FWDATBin: the header, and the first of
// header->modelCount model records, all of which lie inside the file. The caller
// reads them in place and never frees them. False for a missing, unreadable, short
// or invalid file; the next call tries again.
bool LoadFirmwareDat(const TYPE_FirmwareDatHeader** header,
                     const TYPE_FirmwareDatModel** modelRecords);

// The loaded model table file (null until a valid one was read).
extern byte* FWDATBin;

// True when the firmware handles text, and so file names, in UTF-8. Asked once;
// the answer is kept for the plug-in's life.
bool isUTFFirmware(void);

// isUTFFirmware's first-call flag and kept answer.
extern bool UTFFirmwareFirstCall;
extern bool UTFFirmwareAnswer;

#endif
