// Text encoding: broadcast-style strings (optional character-table selection
// bytes, then single-byte code-page text, two-byte text or UTF-8) and UTF-8.
//
// Every function works on NUL-terminated byte strings owned by the caller, keeps
// no state and allocates nothing. Returned pointers point into the caller's own
// strings and stay valid as long as those do. None of them reads past the
// terminating NUL of an input.
#ifndef SCRAPDECK_LIB_TEXT_TEXT_H
#define SCRAPDECK_LIB_TEXT_TEXT_H

#include "host/tap.h"

// ---- Code-page tables ------------------------------------------------------

// Entries per single-byte table: entry i is the code point of byte 0xA0 + i,
// 0 marks an unassigned byte.
enum : int { UTF_LOOKUP_ENTRIES = 96, UTF_LOOKUP_FIRST_BYTE = 0xA0 };

extern const word UTFLookupISO8859_1[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_2[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_3[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_4[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_5[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_6[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_7[UTF_LOOKUP_ENTRIES];  // 1987 form: 0xA4, 0xA5, 0xAA unassigned
extern const word UTFLookupISO8859_8[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_9[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_10[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_11[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_13[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_14[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_15[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO8859_16[UTF_LOOKUP_ENTRIES];
extern const word UTFLookupISO6937[UTF_LOOKUP_ENTRIES];

// Diacritic composition for table number 0: two parallel NUL-terminated strings
// of UTF_DIACRITIC_GROUPS groups of three bytes. UTFDiacriticPairs holds
// "diacritic byte, base letter, space"; UTFDiacriticLetters holds the composed
// letter's two UTF-8 bytes and a space at the same offset.
enum : int { UTF_DIACRITIC_GROUPS = 53 };
extern const char UTFDiacriticPairs[UTF_DIACRITIC_GROUPS * 3 + 1];
extern const char UTFDiacriticLetters[UTF_DIACRITIC_GROUPS * 3 + 1];

// Big5 code (lead byte * 256 + trail byte) and its code point.
typedef struct {
  word Big5;
  word Unicode;
} tBig5Translation;

// BIG5_TRANSLATION_RECORDS records in ascending order of Big5 code, then one
// record of two zeros.
enum : int { BIG5_TRANSLATION_RECORDS = 13710 };
extern const tBig5Translation Big5Translation[BIG5_TRANSLATION_RECORDS + 1];

// The single-byte table for a table number (0, 12 and 17..255 give the
// ISO/IEC 6937 table). Never null.
const word* UTFLookupTable(byte tableNumber);

// Code point of a Big5 code from Big5Translation, or 0 when the code is absent.
word Big5ToUnicode(word big5Code);

// ---- Conversion and UTF-8 ----------------------------------------------------

// Selection bytes that a string may start with: every byte below 0x20 selects, these
// change how the rest is read.
enum : byte {
  SELECT_TABLE_BYTE = 0x10,  // 0x10, an ignored byte, the table number (ISO/IEC 8859 part)
  SELECT_TWO_BYTE = 0x14,    // two-byte text: Big5 pairs or big-endian 16-bit code points
  SELECT_UTF8 = 0x15,        // UTF-8 text
  SELECT_ENCODING = 0x1F,    // 0x1F and one encoding byte; then the default table
};

// Converts the C string src (selection bytes honoured, else defaultTable) to UTF-8 in
// dst. dst must hold 3 bytes per byte of src plus the terminator. Nothing after src's
// terminator is read: a selection or a two-byte (0x14) text cut by it ends there.
// Returns false for a null src or dst (nothing written) and when single-byte text
// needed no table; true when a byte went through a table, for an empty src and for
// two-byte (0x14) and UTF-8 (0x15) selections.
bool StrToUTF8(const char* src, char* dst, byte defaultTable);

// StrToUTF8 for a broadcast text field of length bytes that may hold zero bytes: the
// 0x10 selection's second byte (0x10 0x00 N) and the pairs of a two-byte (0x14) text,
// which then ends at its 0x00 0x00 pair. Nothing past length bytes is read, except
// that a UTF-8 sequence is checked up to the first zero byte, so the field must be
// followed by one. dst must hold 3 bytes per byte of the field plus the terminator.
bool StrToUTF8Length(const char* src, dword length, char* dst, byte defaultTable);

// Writes the UTF-8 form of codePoint to out (no terminator; out may be null to
// only measure) and returns its length 1..4, also stored in *outLength if given.
byte UTF32ToUTF8(dword codePoint, char* out, byte* outLength);

// Decodes the character at p. A byte that does not start a valid 2..4 byte
// sequence gives its own value with length 1; null p gives 0.
dword UTF8ToUTF32(const char* p, byte* outLength);

// True when p starts a valid 2..4 byte UTF-8 sequence; *outLength (if given)
// receives that length, else 1.
bool isUTF8Char(const char* p, byte* outLength);

// *hasAnsi: the text holds a byte >= 0xA0 that does not start a UTF-8 sequence;
// *hasUTF8: it holds a UTF-8 sequence. Either pointer may be null.
void GetStringEncoding(const char* str, dword* hasAnsi, dword* hasUTF8);

// Pointer past the selection bytes at the start of the C string str; a selection cut
// by the terminator ends on it, and nothing after it is read. Null for null.
char* SkipCharTableBytes(const char* str);

// ---- Encoded-string helpers ----------------------------------------------------

// Characters (UTF-8 sequences or single bytes) of the text after the selection.
int strlenUC(const char* str);

// First byte of character n of the text, or its terminator; null for null str.
char* GetUCPos(const char* str, int n);

// Pointer past n characters of text (no selection bytes skipped), stopping at
// its terminator; text itself for n <= 0; null for null.
char* AdvanceUC(const char* text, int n);

// Inserts insert before character pos of str's text (appends when pos is at or
// past the end). The caller guarantees room for strlen(insert) more bytes.
void InsertAt(char* str, int pos, const char* insert);

// Removes count characters from character pos on (fewer when the text ends).
void DeleteAt(char* str, int pos, int count);

// strncpy that copies selection bytes first and never writes more than n bytes
// to dst. No terminator when the limit is reached. Null when dst or src is null.
char* strncpyUC(char* dst, const char* src, dword n);

// First match of needle in haystack, ignoring ASCII case; selection bytes of
// both are skipped. Null when there is none or the needle is empty.
char* stricstr(const char* haystack, const char* needle);

// Cleaning flags of ValidFileName, MakeValidFileName and isLegalChar.
enum : dword {
  LC_CONTROL = 1,    // control characters
  LC_LINEBREAK = 2,  // 0x0A and 0x8A
  LC_FILENAME = 4,   // " * / : < > ? \ |
  LC_ASCII = 8,      // everything outside 0x20..0x7E
};

// Copies the characters of src that flags allow into dst, at most 127 bytes and
// never ending inside a UTF-8 sequence. Empty output when src is null or empty or
// not shorter than dstSize. Returns dst.
char* ValidFileName(const char* src, dword flags, char* dst, int dstSize);

// ValidFileName in place; a string of 512 bytes or more is emptied. Returns str.
char* MakeValidFileName(char* str, dword flags);

// Whether the character at p passes every flag set.
bool isLegalChar(const char* p, dword flags);

#endif
