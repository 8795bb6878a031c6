#include <gtest/gtest.h>
#include <png.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <string>
#include <vector>

#include "preview.h"
#include "raster.h"
#include "ufnt.h"

namespace fontmaker {
namespace {

constexpr uint32_t kEllipsis = 0x2026;
constexpr uint32_t kEuro = 0x20AC;
constexpr uint32_t kCombiningCommaAbove = 0x0313;
constexpr uint32_t kAcuteAccent = 0x00B4;

Font LoadFont(const std::string& name) {
  Font font;
  std::string error;
  EXPECT_TRUE(ReadUfnt(std::string(SCRAPDECK_FONT_DIR) + "/" + name, &font, &error)) << error;
  return font;
}

int Ink(const Glyph& g) {
  int sum = 0;
  for (uint8_t a : g.coverage)
    sum += a;
  return sum;
}

bool ColumnHasInk(const Glyph& g, int x) {
  for (int y = 0; y < g.height; ++y) {
    if (g.coverage[y * g.width + x] != 0) return true;
  }
  return false;
}

// Lowest row with ink, counted from the top of the line box; -1 for an empty glyph.
int LowestInkRow(const Glyph& g) {
  for (int y = g.height - 1; y >= 0; --y) {
    for (int x = 0; x < g.width; ++x) {
      if (g.coverage[y * g.width + x] != 0) return y;
    }
  }
  return -1;
}

struct MadeFont {
  const char* file;
  int em;
};

class StandardFont : public testing::TestWithParam<MadeFont> {};

TEST_P(StandardFont, IsAWholeLineBoxFontWithTheCharactersTheToolkitDraws) {
  const Font font = LoadFont(GetParam().file);
  ASSERT_FALSE(font.glyphs.empty());
  const int em = GetParam().em;
  const int line = font.glyphs[0].height;
  EXPECT_GE(line, em);
  EXPECT_LE(line, 2 * em);
  uint32_t previous = 0;
  for (const Glyph& g : font.glyphs) {
    EXPECT_EQ(g.height, line) << "U+" << std::hex << g.code_point;
    EXPECT_GT(g.width, 0) << "U+" << std::hex << g.code_point;
    EXPECT_GT(g.code_point, previous) << "code points ascend without repeats";
    previous = g.code_point;
  }

  const Glyph* a = FindGlyph(font, 'A');
  const Glyph* space = FindGlyph(font, ' ');
  ASSERT_NE(a, nullptr);
  ASSERT_NE(space, nullptr);
  EXPECT_GT(Ink(*a), 0);
  EXPECT_EQ(Ink(*space), 0);
  EXPECT_NE(FindGlyph(font, kEllipsis), nullptr);
  EXPECT_NE(FindGlyph(font, kEuro), nullptr);
  EXPECT_NE(FindGlyph(font, 0x0416), nullptr) << "Cyrillic";
  EXPECT_NE(FindGlyph(font, 0x03A9), nullptr) << "Greek";

  // A mark's box is its ink alone, so that centring it over a letter centres the ink. The
  // spacing acute is drawn as a mark too.
  for (uint32_t cp : {kCombiningCommaAbove, kAcuteAccent}) {
    const Glyph* mark = FindGlyph(font, cp);
    ASSERT_NE(mark, nullptr) << "U+" << std::hex << cp;
    EXPECT_LT(mark->width, a->width) << "U+" << std::hex << cp;
    EXPECT_TRUE(ColumnHasInk(*mark, 0)) << "U+" << std::hex << cp;
    EXPECT_TRUE(ColumnHasInk(*mark, mark->width - 1)) << "U+" << std::hex << cp;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Made, StandardFont,
    testing::Values(MadeFont{"Calibri_10.ufnt", 10}, MadeFont{"Calibri_12.ufnt", 12},
                    MadeFont{"Calibri_14.ufnt", 14}, MadeFont{"Calibri_16.ufnt", 16},
                    MadeFont{"Calibri_18.ufnt", 18}, MadeFont{"Calibri_20.ufnt", 20},
                    MadeFont{"Calibri_20B.ufnt", 20}, MadeFont{"Firmware_0.ufnt", 14},
                    MadeFont{"Firmware_1.ufnt", 16}, MadeFont{"Firmware_2.ufnt", 20}));

TEST(FontMaker, WidthsAreTheFacesRoundedAdvances) {
  const Font font = LoadFont("Calibri_20.ufnt");
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  ASSERT_EQ(FT_New_Face(library, SCRAPDECK_CARLITO_DIR "/Carlito-Regular.ttf", 0, &face), 0);
  ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 20), 0);
  for (uint32_t cp : {uint32_t{' '}, uint32_t{'A'}, uint32_t{'W'}, uint32_t{'i'}, uint32_t{'j'},
                      uint32_t{'f'}, uint32_t{0xE9}, kEllipsis, kEuro}) {
    ASSERT_EQ(FT_Load_Char(face, cp, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP), 0);
    const Glyph* g = FindGlyph(font, cp);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->width, (face->glyph->advance.x + 32) >> 6) << "U+" << std::hex << cp;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
}

TEST(FontMaker, GlyphsStandOnOneBaseline) {
  const Font font = LoadFont("Calibri_20.ufnt");
  const int baseline = LowestInkRow(*FindGlyph(font, 'H'));
  EXPECT_GT(baseline, 0);
  for (uint32_t cp : {'E', 'x', 'a', '1'}) {
    EXPECT_EQ(LowestInkRow(*FindGlyph(font, cp)), baseline) << static_cast<char>(cp);
  }
  EXPECT_GT(LowestInkRow(*FindGlyph(font, 'p')), baseline + 2) << "descender below the baseline";
}

TEST(FontMaker, BoldIsWiderAndDarkerThanRegular) {
  const Font regular = LoadFont("Calibri_20.ufnt");
  const Font bold = LoadFont("Calibri_20B.ufnt");
  int regular_width = 0;
  int bold_width = 0;
  for (const char* p = "The quick brown fox"; *p != '\0'; ++p) {
    regular_width += FindGlyph(regular, *p)->width;
    bold_width += FindGlyph(bold, *p)->width;
  }
  EXPECT_GT(bold_width, regular_width);
  EXPECT_GT(Ink(*FindGlyph(bold, 'l')), Ink(*FindGlyph(regular, 'l')) * 5 / 4);
}

TEST(FontMaker, EmboldensWhenNoBoldFaceIsGiven) {
  MakeOptions options;
  options.face_path = SCRAPDECK_CARLITO_DIR "/Carlito-Regular.ttf";
  options.pixel_size = 20;
  options.ranges = {{'l', 'l'}};
  Font regular;
  Font emboldened;
  LineBox box;
  std::string error;
  ASSERT_TRUE(MakeFont(options, &regular, &box, &error)) << error;
  options.bold = true;
  ASSERT_TRUE(MakeFont(options, &emboldened, &box, &error)) << error;
  ASSERT_EQ(emboldened.glyphs.size(), 2u) << "space and l";
  EXPECT_GT(Ink(*FindGlyph(emboldened, 'l')), Ink(*FindGlyph(regular, 'l')) * 5 / 4);
}

TEST(FontMaker, PreviewIsAPngSheet) {
  const Font font = LoadFont("Calibri_12.ufnt");
  const std::string path = testing::TempDir() + "fontmaker_preview.png";
  std::string error;
  ASSERT_TRUE(WritePreview(font, path, &error)) << error;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0) << image.message;
  EXPECT_EQ(image.width % 16, 0u);
  EXPECT_GE(image.height, (font.glyphs.size() / 16) * font.glyphs[0].height);
  png_image_free(&image);
  std::remove(path.c_str());
}

TEST(FontMaker, RangesParse) {
  struct Row {
    const char* text;
    bool ok;
    size_t count;
  };
  const Row rows[] = {
      {"0x20-0x7E,U+20AC,65", true, 3},
      {"0x7E-0x20", false, 0},
      {"0x20-", false, 0},
      {"zz", false, 0},
      {"", false, 0},
      {"0x110000", false, 0},
  };
  for (const Row& row : rows) {
    std::vector<CodeRange> ranges;
    std::string error;
    EXPECT_EQ(ParseRanges(row.text, &ranges, &error), row.ok) << row.text;
    if (row.ok) {
      EXPECT_EQ(ranges.size(), row.count) << row.text;
    }
  }
}

// A damaged file is refused instead of read past its end.
TEST(Ufnt, DecodeChecksEveryCountAndOffsetAgainstTheFile) {
  Font font;
  font.glyphs = {{'A', 2, 3, std::vector<uint8_t>(6, 255)}, {'B', 1, 3, {1, 2, 3}}};
  const std::vector<uint8_t> good = EncodeUfnt(font);
  ASSERT_EQ(good.size(), 8u + 2 * 12 + 6 + 3);

  struct Row {
    const char* what;
    size_t at;
    uint8_t value;
    size_t keep;  // bytes kept, 0 for all
    bool ok;
  };
  const Row rows[] = {
      {"intact", 0, 'U', 0, true},
      {"bad magic", 0, 'X', 0, false},
      {"header cut", 0, 'U', 6, false},
      {"table cut", 0, 'U', 20, false},
      {"count past the table", 4, 3, 0, false},
      {"offset past the end", 8 + 4, 0xF0, 0, false},
      {"height past the end", 8 + 12 + 10, 4, 0, false},
      {"last bitmap cut", 0, 'U', good.size() - 1, false},
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> bytes = good;
    bytes[row.at] = row.value;
    if (row.keep != 0) bytes.resize(row.keep);
    Font read;
    std::string error;
    EXPECT_EQ(DecodeUfnt(bytes, &read, &error), row.ok) << row.what;
    if (row.ok) {
      ASSERT_EQ(read.glyphs.size(), 2u);
      EXPECT_EQ(read.glyphs[1].code_point, uint32_t{'B'});
      EXPECT_EQ(read.glyphs[1].coverage, (std::vector<uint8_t>{1, 2, 3}));
    }
  }
}

}  // namespace
}  // namespace fontmaker
