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

// ---- Plug-in registry and image info ----

// What HDD_TAP_GetInfo reads out of a plug-in image. Texts are NUL-terminated and
// cut to their field when the image carries longer ones.
struct TAPInfo {
  dword id;    // "._tap_id"
  dword date;  // build date as TAP_MakeMjd gives it; 0 without "._tap_etcinfo"
  char programName[64];
  char author[64];
  char description[128];
  char version[64];  // empty when the image has no "._tap_program_version"
};

// True when a plug-in with this id occupies a slot of the plug-in table.
bool HDD_TAP_isRunning(dword id);
// The first slot (0..15) whose plug-in has this id, or -1. An empty slot or an
// unreadable image counts as id 0, so callers pass non-zero ids.
int HDD_TAP_GetIndexByID(dword id);
// Id of the plug-in in a slot; 0 for a slot of 16 or more, an empty slot, a
// missing table or an image that cannot be read.
dword HDD_TAP_GetIDByIndex(dword index);
// Reads a plug-in image (any path form). False, with info untouched, when info is
// null or the image cannot be opened and parsed or has no 4-byte "._tap_id". No
// descriptor or buffer survives the call.
bool HDD_TAP_GetInfo(const char* fileName, TAPInfo* info);

// ELF32 file layouts as they lie in a little-endian image.
struct TYPE_ElfHeader {
  byte ident[16];
  word type;
  word machine;
  dword version;
  dword entry;
  dword programHeaderOffset;
  dword sectionHeaderOffset;  // 32
  dword flags;
  word headerSize;
  word programHeaderSize;
  word programHeaderCount;
  word sectionHeaderSize;
  word sectionHeaderCount;  // 48
  word sectionNameIndex;    // 50
};
struct TYPE_ElfSection {
  dword name;  // offset of the section's name in the section-name table
  dword type;  // ELF_SECTION_STRING_TABLE for a string table
  dword flags;
  dword address;
  dword offset;  // 16: where the contents lie in the file
  dword size;    // 20
  dword link;
  dword info;
  dword alignment;
  dword entrySize;
};
static_assert(sizeof(TYPE_ElfHeader) == 52, "ELF header size");
static_assert(offsetof(TYPE_ElfHeader, sectionHeaderOffset) == 32, "ELF section table offset");
static_assert(offsetof(TYPE_ElfHeader, sectionNameIndex) == 50, "ELF section name index");
static_assert(sizeof(TYPE_ElfSection) == 40, "ELF section header size");
enum : dword { ELF_SECTION_STRING_TABLE = 3 };

// The image reader works on one open image at a time. Every offset and size it
// takes from the file is checked against the file's size before it is used.
// Opens an image (any path form) read-only.
bool ELFOpenFile(const char* fileName);
// Reads the file header into ELFHeader.
bool ELFReadELFHeader(void);
// Reads the whole section header table into SectionHeaders.
bool ELFReadSectionHeaders(void);
// Reads the section-name table (a string table) into shstrtab, NUL-terminated.
bool ELFReadShstrtabSection(void);
// Index of the section with this exact name, 0 when none (section 0 never matches).
// A name offset outside the section-name table names no section.
dword ELFGetSectionIndex(const char* name);
// Reads a 4-byte section; false for any other size. True without reading when
// destination is null.
bool ELFReadDWORD(dword index, dword* destination);
// Reads a section's first bytes, at most capacity of them, into destination; true
// when all of those were read. True without reading when destination is null.
bool ELFReadData(dword index, void* destination, dword capacity);
// Reads size bytes from offset of the open image; false when they do not all lie
// inside the file or cannot be read.
bool ELFReadBlock(dword offset, void* destination, dword size);
// Closes the image and frees the reader's buffers.
void ELFCleanup(void);

// Reader state: the open image's descriptor (-1 when none) and size, and the
// buffers (null when not read), owned by the reader and freed by ELFCleanup.
extern int fTAP;
extern dword ELFFileSize;
extern TYPE_ElfHeader* ELFHeader;
extern TYPE_ElfSection* SectionHeaders;
extern char* shstrtab;
extern dword shstrtabSize;  // without the terminating NUL the reader adds

// Puts this folder's module state back as it is when the plug-in starts. Frees nothing:
// for a host that has already taken back the plug-in's memory, regions and files.
void ResetFirmwareState(void);

#endif
