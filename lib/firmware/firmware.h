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

#endif
