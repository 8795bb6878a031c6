// The settings file store: one INI file held in memory as a single text, found in
// a fixed list of folders, read whole, changed key by key and written back whole.
//
// Only one file is open at a time: the buffer is module state. INIOpenFile makes
// it, the key routines may replace it by a larger one, INICloseFile frees it. The
// current directory is the same after INIOpenFile and INISaveFile as before them.
#ifndef SCRAPDECK_LIB_INI_INI_H
#define SCRAPDECK_LIB_INI_INI_H

#include "host/tap.h"

// Where a settings file was found, and where INISaveFile writes it.
enum : dword {
  INILOCATION_NotFound = 0,        // not found; for INISaveFile: "/ProgramFiles"
  INILOCATION_NewFile = 1,         // not found, an empty buffer was made; saves to "/ProgramFiles"
  INILOCATION_AtCurrentDir = 2,    // the current directory
  INILOCATION_AtAppName = 3,       // "/ProgramFiles/Settings/<application name>"
  INILOCATION_AtSettings = 4,      // "/ProgramFiles/Settings"
  INILOCATION_AtProgramFiles = 5,  // "/ProgramFiles"
  INILOCATION_Invalid = 6,         // this code and above are refused by INISaveFile
};

enum : dword {
  INI_BLOCK_SIZE = 512,         // a file of n bytes gets (n / 512 + 2) * 512 bytes of buffer
  INI_GROWTH_SIZE = 1024,       // the buffer grows in steps of this size, one step per change
  INI_PATTERN_SIZE = 80,        // key (cut to 78 characters), "=" and the terminator
  INI_VALUE_CHECK_LENGTH = 11,  // characters of a number that INIGetInt checks
  INI_NAME_SIZE = 512,          // file names, with the backup suffix
};

// The open file's text, NUL-terminated, in BufferSize bytes; null while closed.
// Owned by the store: replaced by INISetString, freed by INICloseFile.
extern char* INIBuffer;
extern dword BufferSize;
// A second buffer that INICloseFile frees when set; nothing fills it.
extern char* INICommentBuffer;

// Reads the file into INIBuffer. The location code where it was found (2..5);
// 1 when it is nowhere and an empty buffer was made; 0 on failure (no buffer, or a
// buffer holding what a failed read left: the caller closes it either way).
// An earlier buffer is not freed: close first.
dword INIOpenFile(const char* name, const char* appName);

// Looks for the file in the current directory, then in "/ProgramFiles",
// "/ProgramFiles/Settings" and "/ProgramFiles/Settings/<appName>"; the deepest of
// those wins. The location code (2..5) or 0. Leaves the current directory where the
// file was found (unchanged when it was found nowhere or in the current directory).
// A file that only exists as the backup a failed save left behind counts as found.
// INILOCATION_Invalid when a folder of the search is there but cannot be entered:
// the file may be in it, so it cannot be called missing (a new file saved in its
// place would drop what it holds).
dword INILocateFile(const char* name, const char* appName);

// Writes the buffer to the location's folder (creating "Settings" and the
// application's folder when needed). The old file stays until the new one is
// complete: 1 when the whole text reached the file, else 0. The buffer is kept.
dword INISaveFile(const char* name, dword location, const char* appName);

// Frees the buffers; the store is closed afterwards.
void INICloseFile(void);

// Finds the entry whose key and "=" are `pattern` (without regard to case, only at
// the start of a word). *start gets its first character and *end the last
// character of its value, looked at for at most maxLength characters; both null
// when there is no such entry (an entry on a last line without a line end counts as
// missing). Nothing happens when start or end is null or maxLength is 0.
void INIFindStartEnd(const char* pattern, char** start, char** end, dword maxLength);

// The key's value as a whole decimal number (with an optional leading '-') clamped
// to min..max; defaultValue when the entry is missing, empty or not a number.
int INIGetInt(const char* key, int defaultValue, int minValue, int maxValue);

// Replaces the key's value, or appends "key=value\r\n" when the key is missing.
// The buffer grows by at most one step of INI_GROWTH_SIZE per call; when that is
// not enough or memory is short the buffer stays as it was.
void INISetString(const char* key, const char* value);

// INISetString with the value in decimal.
void INISetInt(const char* key, int value);

// Internal helpers shared by the routines above.

// Writes key (cut to 78 characters) and "=" into pattern (INI_PATTERN_SIZE bytes);
// its length.
dword INIMakePattern(const char* key, char* pattern);

// Writes "<name>.tmp", the name of the backup copy a save keeps while it replaces
// the file, into backup (INI_NAME_SIZE bytes). False when name does not fit.
bool INIBackupName(const char* name, char* backup);

// Whether the settings file name, or its backup, exists in the current directory.
bool INIFileExists(const char* name);

// Replaces or creates the file name in the current directory with text[0..length)
// and checks that the file then holds exactly that many bytes. False on any
// failure; a partly written file is then removed again.
bool INIWriteFile(const char* name, const char* text, dword length);

// Puts this folder's module state back as it is when the plug-in starts. Frees nothing:
// for a host that has already taken back the plug-in's memory, regions and files.
void ResetIniState(void);

#endif
