// The font engine: UFNT bitmap fonts, their glyph cache, and anti-aliased text
// drawn into on-screen regions.
//
// A UFNT file holds "UFNT", a little-endian glyph count, the glyph definition table
// (FMUC_GlyphDef, as laid out on the disk) and the coverage bitmaps the definitions
// point at. A loaded font keeps its file open: only the table is read at load, and
// each glyph's pixels are read the first time the glyph is used and kept until the
// font is freed.
#ifndef SCRAPDECK_LIB_FONT_FONT_H
#define SCRAPDECK_LIB_FONT_FONT_H

#include "host/tap.h"

// ---- Font files and the glyph cache ----

// Fonts are read from this folder only.
#define FMUC_FONT_FOLDER "/ProgramFiles/Settings/Fonts/"
#define FMUC_FONT_DIRECTORY DISK_ROOT FMUC_FONT_FOLDER

// One entry of a font's definition table; the same 12 bytes on the disk and in memory.
struct FMUC_GlyphDef {
  dword CodePoint;
  dword Offset;  // of the Width x Height coverage bytes, from the start of the file
  word Width;    // also the pen advance
  word Height;   // rows, drawn from the top of the text line
};
static_assert(sizeof(FMUC_GlyphDef) == 12, "UFNT glyph definition");

// A glyph whose pixels are in memory.
struct FMUC_Glyph {
  dword CodePoint;
  byte* GlyphData;  // Width x Height coverage bytes, row after row; owned by the font
  word Width;
  word Height;
};

// A font. The caller owns the record (usually a global); the record owns the open file
// and everything its pointers reach.
struct FMUC_Font {
  int FileHandle;  // > 0 loaded, 0 not loaded, < 0 the file could not be opened
  int GlyphCount;
  FMUC_GlyphDef* FontDef;  // GlyphCount definitions
  int CachedGlyphs;        // entries of GlyphCache in use
  FMUC_Glyph* GlyphCache;  // room for GlyphCount entries, filled in order of first use
};

// Loads fontName (a file name such as "Calibri_12.ufnt"; any path part is dropped)
// from FMUC_FONT_DIRECTORY into font, which is zeroed first: a loaded record must
// be freed before it is loaded again. 1 when loaded, else 0 with the record empty;
// a file that cannot be opened leaves FileHandle negative, so that callers who load
// only records with FileHandle 0 do not try it again until the record is freed. The
// first file of the plug-in's run that cannot be opened is named in the message
// window (which holds the plug-in for three seconds); later ones are not. A file
// whose table does not lie within it is refused; a glyph whose pixels do not is never
// found.
int FMUC_LoadFontFile(const char* fontName, FMUC_Font* font);
// Set once the missing-font notice was shown; it stays set for the plug-in's run.
extern bool FMUC_FontNoticeShown;

// Releases everything the record owns, closes its file and zeroes it. Safe on a
// zeroed record and on one left by a failed load.
void FMUC_FreeFontFile(FMUC_Font* font);

// The glyph of the UTF-8 character at text, read from the file on its first use;
// null for a control character, a character the font lacks, an unloaded font or
// no memory. *byteCount (when given) receives the character's length in bytes
// (1 to 4) in every case, so callers can step on. The pointer stays valid until
// the font is freed.
FMUC_Glyph* FMUC_GetGlyphData(FMUC_Font* font, const char* text, byte* byteCount);

// Where a glyph's ink lies, kept by the glyph cache behind the coverage bytes (from
// GlyphData + Width x Height on) of every glyph no wider and no higher than
// FMUC_INK_MAX: the first row holding a covered byte and the row after the last, then
// for each of the Height rows its first covered column and the column after its last
// (both 0 for a row without ink). The drawing reads only these stretches.
enum : dword { FMUC_INK_MAX = 255 };
// Bytes kept behind the coverage bytes of a glyph of that size (0 when it has no table).
inline dword FMUC_GlyphInkBytes(dword width, dword height) {
  return width <= FMUC_INK_MAX && height <= FMUC_INK_MAX ? 2 + 2 * height : 0;
}
// The table of a cached glyph, or null for a glyph too large to have one.
inline const byte* FMUC_GlyphInk(const FMUC_Glyph* glyph) {
  return FMUC_GlyphInkBytes(glyph->Width, glyph->Height)
             ? glyph->GlyphData + dword(glyph->Width) * glyph->Height
             : nullptr;
}
// Fills the table behind the coverage bytes of glyph (which has room for it).
void FMUC_MeasureGlyphInk(FMUC_Glyph* glyph);

// Every allocation of the font engine goes through these two; requester names the
// allocation for diagnostics.
void* FMUC_ReserveMemory(const char* requester, dword size);
void FMUC_FreeMemory(const char* requester, void* pointer);

// Diagnostic table of allocations. The memory wrappers do not record into it, so
// it stays empty; the queries work on whatever it holds.
enum : dword { FMUC_MEMORY_RECORDS = 10000 };
struct FMUC_MemoryRecord {
  dword Unused;
  dword Size;
  void* Pointer;  // null: the record is free
};
extern FMUC_MemoryRecord FMUC_Memory[FMUC_MEMORY_RECORDS];

// First record without a pointer; null when all are in use.
FMUC_MemoryRecord* FMUC_MemoryFindFree(void);
// First record holding pointer; null when none does.
FMUC_MemoryRecord* FMUC_MemoryFindPointer(const void* pointer);
// Number of records in use and their total size, each stored only when asked for.
void FMUC_MemoryDump(int* count, int* bytes);

// ---- Anti-aliased text ----

// What FMUC_PutStringAA does with a text wider than its room.
enum : byte {
  FMUC_FIT_CUT = 0,             // characters are cut from the end
  FMUC_FIT_ELLIPSIS_END = 1,    // cut from the end, then "…" appended
  FMUC_FIT_ELLIPSIS_START = 2,  // removed from the start, then "…" put in front
  FMUC_FIT_ALL_OR_NOTHING = 3,  // not drawn at all (and every value above)
};

// Placement of a text between x and maxX.
enum : byte {
  FMUC_ALIGN_LEFT = 0,
  FMUC_ALIGN_CENTER = 1,
  FMUC_ALIGN_RIGHT = 2,  // values above act as left
};

// Draws one line of text (UTF-8, or single bytes read as ISO/IEC 8859-9 unless a
// character-table selection says otherwise) into region between columns x and maxX
// (inclusive), hanging from row y. A back colour with a non-zero alpha byte is filled
// from x to maxX as high as the text and blended against; otherwise the glyphs are
// blended onto what the region shows. Blended channels are multiplied by blendFactor.
// Nothing is written outside the text's box or the region; failures draw nothing.
void FMUC_PutStringAA(word region, dword x, dword y, dword maxX, const char* text, dword foreColor,
                      dword backColor, FMUC_Font* font, byte overflowMode, byte align,
                      float blendFactor);

// Width in pixels of a UTF-8 text: the glyphs' widths, diacritical marks not counted.
int FMUC_GetStringWidth(const char* text, FMUC_Font* font);
// Height in pixels of a UTF-8 text: its tallest glyph, 0 when none has a glyph.
dword FMUC_GetStringHeight(const char* text, FMUC_Font* font);

// True for a combining mark, which is centred over the glyph before it and does not
// advance the pen.
bool FMUC_IsDiacriticalMark(dword codePoint);

// Start of the character after the one at p (a continuation byte counts as part of
// a character), or p itself at the terminator; null for null.
char* FMUC_FindNextUTF8(const char* p);
// Start of the character holding the byte at p; null for null. It stops at no lower
// bound: p must lie in a text that starts with a character's first byte.
char* FMUC_FindUTF8Start(const char* p);

// Start of the character before p in text, p being a character start of text or its
// terminator, with characters stepped as the glyph lookup steps them (whole valid
// UTF-8 sequences, any other byte alone); text itself when p is text.
char* FMUC_PrevCharStart(const char* text, const char* p);

// Carries out an overflow mode on the working copy of FMUC_PutStringAA. *right is the
// last column of the text's box; maxX the last column it may use. The copy must have
// room for three more bytes. True when the text now fits.
bool FMUC_FitString(char* text, FMUC_Font* font, byte overflowMode, int64_t maxX, int64_t* right);

// The glyphs of text's characters in order, characters without one left out: at most
// capacity of them into glyphs, with the text's width and height as
// FMUC_GetStringWidth and FMUC_GetStringHeight measure it (each stored when asked
// for). Each character is looked up once. The number of glyphs; -1 when there are
// more than capacity.
int FMUC_GetStringGlyphs(const char* text, FMUC_Font* font, const FMUC_Glyph** glyphs, int capacity,
                         int* width, dword* height);

// Draws count glyphs (from FMUC_GetStringGlyphs) into a box of boxWidth x boxHeight
// ARGB pixels saved from the screen, from its top left corner; pixels that would fall
// outside the box are left out. With solidBack the partial coverages come from
// AlphaLUT (filled for foreColor over backColor), else they are blended with the pixels
// beneath.
void FMUC_DrawGlyphs(dword* pixels, int boxWidth, int boxHeight, const FMUC_Glyph* const* glyphs,
                     int count, dword foreColor, dword backColor, bool solidBack,
                     dword blendFactorBits);

// One channel of coverage a (0 to 255) of fore over back, multiplied by factor and
// limited to 255; only the low 8 bits of the first three arguments count.
byte FM_AlphaBlend(dword coverage, dword fore, dword back, float factor);
// Red, green and blue of fore and back blended one by one; alpha byte 0.
dword FM_AlphaBlendRGB(byte coverage, dword foreColor, dword backColor, float factor);

// Blend factors travel as floats but are only ever looked at as their IEEE
// single-precision bits: the recorder's core may have no FPU, so no floating-point
// instruction may run. FM_FACTOR_ONE is 1.0, the factor every text of the plug-in uses.
enum : dword { FM_FACTOR_ONE = 0x3F800000 };
inline dword FM_FactorBits(float factor) {
  dword bits;
  __builtin_memcpy(&bits, &factor, sizeof bits);
  return bits;
}
// value (its low byte) times the factor with bits factorBits, in single precision,
// truncated toward zero: 0 for -1 < product < 1, 255 from 256 up, below -1 or not a
// number. Integer arithmetic only.
byte FM_ScaleChannel(dword value, dword factorBits);
// FM_AlphaBlend and FM_AlphaBlendRGB on a factor's bits.
byte FM_BlendChannel(dword coverage, dword fore, dword back, dword factorBits);
dword FM_BlendRGB(byte coverage, dword foreColor, dword backColor, dword factorBits);
// Fills AlphaLUT entries 0 to 254 with the blends of foreColor over backColor.
void FM_InitAlphaLUT(dword foreColor, dword backColor, float factor);

// Red, green and blue of every partial coverage of one fore and back colour pair;
// valid during the FMUC_PutStringAA call that filled it. Entry 255 is never read.
extern byte AlphaLUT[256][3];

// Puts this folder's module state back as it is when the plug-in starts. Frees nothing:
// for a host that has already taken back the plug-in's memory, regions and files.
void ResetFontState(void);

// Kept by FMUC_DrawGlyphs from drawing to drawing: the pixels of every coverage 0 to
// 255 of fore over back for the last few colour pairs (solid: from AlphaLUT, whose
// tables never read entry 0).
struct FMUC_BlendTable {
  bool used;
  bool solid;
  dword fore;
  dword back;
  dword pixel[256];
};
enum : dword { FMUC_BLEND_TABLES = 4 };
extern FMUC_BlendTable FMUC_BlendTables[FMUC_BLEND_TABLES];
extern dword FMUC_NextBlendTable;

// Kept by FMUC_GetGlyphData: the glyphs found last, by code point and font.
struct FMUC_RecentGlyph {
  const FMUC_Font* font;
  FMUC_Glyph* glyph;
};
enum : dword { FMUC_RECENT_GLYPHS = 128 };
extern FMUC_RecentGlyph FMUC_RecentGlyphs[FMUC_RECENT_GLYPHS];

// The slot of FMUC_RecentGlyphs for a code point of a font.
inline dword FMUC_RecentSlot(const FMUC_Font* font, dword codePoint) {
  return (codePoint ^ static_cast<dword>(reinterpret_cast<uintptr_t>(font) >> 4)) &
         (FMUC_RECENT_GLYPHS - 1);
}
// The glyph of codePoint remembered for a font, or null: taken only when it lies among
// the glyphs from cached up to cachedEnd (the font's cached ones) and has that code
// point, so a font freed or loaded again never yields a stale glyph.
inline FMUC_Glyph* FMUC_FindRecentGlyph(const FMUC_Font* font, dword codePoint,
                                        const FMUC_Glyph* cached, const FMUC_Glyph* cachedEnd) {
  const FMUC_RecentGlyph& recent = FMUC_RecentGlyphs[FMUC_RecentSlot(font, codePoint)];
  FMUC_Glyph* const glyph = recent.glyph;
  return recent.font == font && glyph >= cached && glyph < cachedEnd &&
                 glyph->CodePoint == codePoint
             ? glyph
             : nullptr;
}

#endif
