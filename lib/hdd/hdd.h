// Files and recordings on the recorder's disk: path forms and their conversion,
// and the plug-in's current directory with a small stack to return to it.
//
// The disk root is "/mnt/hd" for the system library and "/" for the host's own file
// calls, which work relative to the plug-in's current directory.
#ifndef SCRAPDECK_LIB_HDD_HDD_H
#define SCRAPDECK_LIB_HDD_HDD_H

#include "host/tap.h"

// ---- Path types and conversion ----

// The forms a path text can take. The codes are fixed: callers pass them as numbers.
enum : dword {
  PATH_FILE_NAME = 0,   // "Film.rec": no '/' at all (also an absent or empty path)
  PATH_TAP_DIR = 1,     // "/DataFiles/", "Settings/", ".": host form, relative or from the root
  PATH_LINUX_DIR = 2,   // "/mnt/hd/DataFiles/"
  PATH_TAP_FILE = 3,    // "/DataFiles/Film.rec"
  PATH_LINUX_FILE = 4,  // "/mnt/hd/DataFiles/Film.rec"
};

// Capacities of path texts, terminator included.
enum : dword {
  HDD_PATH_SIZE = 512,       // every path buffer, and the conversion's work text
  HDD_FILE_NAME_SIZE = 128,  // a PATH_FILE_NAME result
};

// The form of path, looked up on the disk where the shape alone does not tell.
dword GetPathType(const char* path);

// Writes source in the wanted form into destination, which holds HDD_PATH_SIZE
// bytes (HDD_FILE_NAME_SIZE when a PATH_FILE_NAME is wanted). An empty destination
// means the conversion is not possible or its result would not fit; a result is
// never cut. Nothing is written when source or destination is null, nor for a
// wantedType above PATH_LINUX_FILE.
void ConvertPathType(const char* source, char* destination, dword wantedType);

// Copies the absolute Linux path of a host file record into destination
// (HDD_PATH_SIZE bytes). Destination is emptied first; false when the record or its
// path is missing or the path does not fit.
bool HDD_GetAbsolutePathByTypeFile(const TYPE_File* file, char* destination);

// Bounded path building for the routines here: appends text to path (HDD_PATH_SIZE
// bytes) and adds a final '/' when missing. False, path unchanged, when the result
// would not fit.
bool HDD_PathAppend(char* path, const char* text);
bool HDD_PathEndWithSlash(char* path);

// ---- Current directory and directory stack ----

enum : dword {
  TAP_DIR_STACK_DEPTH = 16,
  TAP_DIR_STACK_ENTRY_SIZE = 200,
};

// Changes the plug-in's current directory to a path of any form; relative forms
// are taken from the current directory. True when the host accepted the change.
bool HDD_ChangeDir(const char* directory);

// The plug-in's current directory relative to the disk root ("/DataFiles"; empty
// at the root) into destination (HDD_PATH_SIZE bytes, may be null). 0 when it was
// read, -3 when the firmware's plug-in table or this plug-in's slot is not known
// (destination emptied), -1 when the directory does not fit destination
// (destination emptied).
int HDD_TAP_GetCurrentDir(char* destination);

// Saves the current directory on the stack; false when the stack is full or the
// directory cannot be read or does not fit an entry. Each true is matched by one
// HDD_TAP_PopDir.
bool HDD_TAP_PushDir(void);

// Changes back to the directory on top of the stack and removes it; false when
// the stack is empty or the change failed.
bool HDD_TAP_PopDir(void);

// Learns once which slot of the firmware's plug-in table is this plug-in's.
bool InitTAPex(void);

// Module state. The stack holds directories as HDD_TAP_GetCurrentDir gives them;
// TAPDirStackDepth is the index of the top entry, -1 when empty.
extern char TAPDirStack[TAP_DIR_STACK_DEPTH][TAP_DIR_STACK_ENTRY_SIZE];
extern int TAPDirStackDepth;
// True until the host's answer for a successful change of directory was learned.
extern bool ReturnTypeToBeChecked;
// What TAP_Hdd_ChangeDir returns on success on this firmware.
extern int ChDirSuccessful;
// True once TAP_TableIndex holds this plug-in's slot (-1 before).
extern bool LibInitialized;
extern int TAP_TableIndex;

// ---- Recording deletion ----

// Removes a file and, when it is a recording (".rec", ".mpg", ".ts"), its side
// files ".inf", ".nav", ".cut", ".cut.bak" and ".srt", after stopping the playback and
// the recording of it. fileName is a path of any form; naming a side file ".inf" or
// ".nav" of a recording deletes the whole recording. A name whose pieces or family
// paths would not fit the working texts is refused whole: nothing is stopped or
// removed. So is a relative name while the current directory cannot be learned.
void HDD_Delete(const char* fileName);

// Splits path into directory (up to and including the last '/', HDD_PATH_SIZE
// bytes), base name (HDD_FILE_NAME_SIZE bytes: no ".del", no side ending, no
// extension, no part "-N"), extension (HDD_FILE_NAME_SIZE bytes, ".rec"), part
// number (1..9, else 0), whether it names a recording and whether it carried the
// ".del" marker. baseName is required; other outputs may be null. False, with no
// output written, when path is null or empty, baseName is null, or the directory
// or the file name does not fit its text.
bool SeparateFileNameComponents(const char* path, char* directory, char* baseName, char* extension,
                                int* partNumber, bool* isRecording, bool* isDeleted);

// True when name ends in ".rec", ".mpg" or ".ts" (case-sensitive).
bool HDD_isRecFileName(const char* name);

// Case-sensitive suffix test; false when either text is null or empty, or the
// suffix is longer than the text.
bool StringEndsWith(const char* text, const char* suffix);

// ---- In-use check and record slots ----

// What HDD_isFileInUse reports.
enum : dword {
  IN_USE_NONE = 0,
  IN_USE_PLAYBACK = 1,
  IN_USE_PLAYBACK_MODE5 = 2,  // played, and the host reports play mode 5
  IN_USE_RECORDING_BASE = 3,  // plus the record slot number
};

// Whether fileName (any path form; a trailing ".inf" is dropped) is the file of the
// current playback or of a record slot. The playback is asked first.
dword HDD_isFileInUse(const char* fileName);

// The three pointers of a record slot's entry in the firmware's record-file array
// (the slot's recording file record first; null while the slot is idle). Each
// output may be null. False, with every given output null, when the array is not
// available or the slot is not below HDD_NumberOfRECSlots().
bool HDD_GetRecSlotFiles(byte slot, TYPE_File** recordingFile, void** second, void** third);

// The receiver model's number of record slots from the model table; 2 when the
// table does not tell. Looked up once and kept in MaxRecStreams (0: not yet known).
// A count above HDD_REC_SLOTS_MAX is taken as HDD_REC_SLOTS_MAX, so a damaged
// table can never walk the record-file array far past its end.
dword HDD_NumberOfRECSlots(void);
enum : dword { HDD_REC_SLOTS_MAX = 8 };
extern dword MaxRecStreams;

// Puts this folder's module state back as it is when the plug-in starts. Frees nothing:
// for a host that has already taken back the plug-in's memory, regions and files.
void ResetHddState(void);

#endif
