#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include "lib/font/font.h"
#include "lib/hdd/hdd.h"
#include "lib/osd/messagewin.h"

namespace {

enum : dword {
  UFNT_HEADER_SIZE = 8,  // "UFNT" and the glyph count
  // Largest count whose table size still fits 32 bits.
  UFNT_MAX_GLYPHS = 0xFFFFFFFFu / sizeof(FMUC_GlyphDef),
  // Sizes and offsets are worked out in 32 bits; no font comes near this.
  UFNT_MAX_FILE_SIZE = 0x7FFFFFFF,
};

}  // namespace

int FMUC_LoadFontFile(const char* fontName, FMUC_Font* font) {
  if (font) TAP_MemSet(font, 0, sizeof *font);
  if (!fontName || !*fontName || !font) return 0;

  char name[HDD_FILE_NAME_SIZE];
  name[0] = '\0';
  ConvertPathType(fontName, name, PATH_FILE_NAME);
  if (!name[0]) return 0;
  char path[HDD_PATH_SIZE];
  TAP_SPrint(path, "%s%s", FMUC_FONT_DIRECTORY, name);

  font->FileHandle = open(path, O_RDONLY, 0600);
  if (font->FileHandle < 0) {
    char line[HDD_FILE_NAME_SIZE + 32];
    TAP_SPrint(line, "failed to load %s", name);
    ShowMessageWin(TAP_PROGRAM_NAME, line, "Please install the font", 300);
    return 0;
  }

  // Everything the table says is checked against the file's size, so that no later
  // read can run past its end.
  const int fd = font->FileHandle;
  char magic[4];
  dword count = 0;
  const off_t fileSize = lseek(fd, 0, SEEK_END);
  if (fileSize < static_cast<off_t>(UFNT_HEADER_SIZE) ||
      fileSize > static_cast<off_t>(UFNT_MAX_FILE_SIZE) || lseek(fd, 0, SEEK_SET) != 0 ||
      read(fd, magic, sizeof magic) != sizeof magic || memcmp(magic, "UFNT", 4) != 0 ||
      read(fd, &count, sizeof count) != sizeof count || count == 0 || count > UFNT_MAX_GLYPHS ||
      count > (static_cast<dword>(fileSize) - UFNT_HEADER_SIZE) / sizeof(FMUC_GlyphDef)) {
    FMUC_FreeFontFile(font);
    return 0;
  }

  const dword tableSize = count * sizeof(FMUC_GlyphDef);
  font->GlyphCount = static_cast<int>(count);
  font->FontDef =
      static_cast<FMUC_GlyphDef*>(FMUC_ReserveMemory("FMUC_LoadFontFile FontDef", tableSize));
  if (!font->FontDef) {
    FMUC_FreeFontFile(font);
    font->GlyphCount = static_cast<int>(count);
    return 0;
  }
  if (read(fd, font->FontDef, tableSize) != static_cast<ssize_t>(tableSize)) {
    FMUC_FreeFontFile(font);
    return 0;
  }

  // A glyph whose pixels are empty or lie beyond the file's end is made empty here;
  // lookups never hand out an empty glyph, so the character is simply not drawn.
  for (dword i = 0; i < count; ++i) {
    FMUC_GlyphDef& def = font->FontDef[i];
    const dword pixels = static_cast<dword>(def.Width) * def.Height;
    if (pixels == 0 || def.Offset > static_cast<dword>(fileSize) ||
        pixels > static_cast<dword>(fileSize) - def.Offset) {
      def.Width = 0;
      def.Height = 0;
    }
  }

  font->CachedGlyphs = 0;
  font->GlyphCache = static_cast<FMUC_Glyph*>(
      FMUC_ReserveMemory("FMUC_LoadFontFile GlyphCache", count * sizeof(FMUC_Glyph)));
  if (!font->GlyphCache) {
    // A font without a cache could find glyphs but not keep them: give it all back.
    FMUC_FreeFontFile(font);
    return 0;
  }
  return 1;
}
