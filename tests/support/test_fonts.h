// Fonts made by the tests, and the standard fonts of the build, put on the stand's disk.
#ifndef SCRAPDECK_TESTS_SUPPORT_TEST_FONTS_H
#define SCRAPDECK_TESTS_SUPPORT_TEST_FONTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "lib/font/font.h"
#include "stand/stand.h"
#include "tests/support/stand_test.h"

struct TestGlyph {
  uint32_t codePoint;
  uint16_t width;
  uint16_t height;
  std::vector<uint8_t> coverage;  // width x height, row after row
};

// A glyph whose row r is covered with the given coverage when rowCovered(r).
TestGlyph RowGlyph(uint32_t codePoint, uint16_t width, uint16_t height, uint8_t coverage,
                   const std::vector<int>& coveredRows);

// A UFNT file: header, definitions, then the bitmaps in order.
std::string MakeUfnt(const std::vector<TestGlyph>& glyphs);

// Puts a font file into the disk folder fonts are loaded from (FMUC_FONT_FOLDER).
void InstallFont(const std::string& name, const std::string& bytes);
// Copies a font the build made into the font folder.
void InstallStandardFont(const std::string& name);

// The font of the layout examples: every glyph 10 pixels wide and 10 high. Letter
// A + i covers rows 0 to i; the ellipsis covers row 9 only; the space covers nothing.
std::vector<TestGlyph> TenPixelGlyphs();

// Open descriptors of this process.
int OpenDescriptors();

#endif
