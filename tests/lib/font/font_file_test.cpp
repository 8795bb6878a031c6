// Loading UFNT files, the glyph cache and freeing, against the stand's disk.
#include <cstring>

#include "lib/font/font.h"
#include "lib/osd/messagewin.h"
#include "stand/osd.h"
#include "tests/support/test_fonts.h"

namespace {

class FontFile : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    MessageWinRgn = 0;
    descriptors = OpenDescriptors();
  }
  void TearDown() override {
    FMUC_FreeFontFile(&font);
    EXPECT_EQ(stand::Memory().liveBlocks, 0u) << "the font kept memory after it was freed";
    EXPECT_EQ(OpenDescriptors(), descriptors) << "the font left its file open";
  }
  bool Zeroed() const {
    static const FMUC_Font zero{};
    return std::memcmp(&font, &zero, sizeof font) == 0;
  }
  FMUC_Font font{};
  int descriptors = 0;
};

TEST_F(FontFile, StandardFontLoadsAndEachGlyphIsReadOnce) {
  InstallStandardFont("Calibri_14.ufnt");
  const std::string file = std::string(FMUC_FONT_FOLDER) + "Calibri_14.ufnt";
  ASSERT_EQ(FMUC_LoadFontFile("Calibri_14.ufnt", &font), 1);
  EXPECT_GT(font.FileHandle, 0);
  uint32_t count;
  std::memcpy(&count, stand::ReadFile(file).data() + 4, 4);
  EXPECT_EQ(font.GlyphCount, int(count));
  EXPECT_EQ(font.CachedGlyphs, 0);
  // Only the table is in memory: 12 bytes of definition and one cache entry per glyph.
  EXPECT_EQ(stand::Memory().liveBytes, count * (12 + sizeof(FMUC_Glyph)));
  const size_t loadReads = stand::DiskReads(file);

  byte length = 0;
  FMUC_Glyph* a = FMUC_GetGlyphData(&font, "Abc", &length);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->CodePoint, dword('A'));
  EXPECT_EQ(length, 1);
  EXPECT_EQ(stand::DiskReads(file), loadReads + 1);
  EXPECT_EQ(FMUC_GetGlyphData(&font, "A", nullptr), a);
  EXPECT_EQ(font.CachedGlyphs, 1);

  // Measuring and more lookups read each new glyph once, and never again.
  const int width = FMUC_GetStringWidth("Abba \xC3\xA9t\xC3\xA9", &font);
  EXPECT_GT(width, 0);
  const size_t afterFirstUse = stand::DiskReads(file);
  EXPECT_EQ(afterFirstUse, loadReads + 6);  // A b a space é t
  EXPECT_EQ(font.CachedGlyphs, 6);
  EXPECT_EQ(FMUC_GetStringWidth("Abba \xC3\xA9t\xC3\xA9", &font), width);
  EXPECT_GT(FMUC_GetStringHeight("Abba", &font), 0u);
  EXPECT_EQ(stand::DiskReads(file), afterFirstUse);

  FMUC_FreeFontFile(&font);
  EXPECT_TRUE(Zeroed());
}

TEST_F(FontFile, NameLosesItsFolder) {
  InstallFont("T.ufnt", MakeUfnt(TenPixelGlyphs()));
  EXPECT_EQ(FMUC_LoadFontFile("/DataFiles/T.ufnt", &font), 1);
}

TEST_F(FontFile, Lookups) {
  std::vector<TestGlyph> glyphs = TenPixelGlyphs();
  glyphs.push_back(RowGlyph('A', 7, 10, 255, {0}));  // a second A: never used
  glyphs.push_back(RowGlyph(0xE9, 6, 10, 255, {0}));
  InstallFont("T.ufnt", MakeUfnt(glyphs));
  ASSERT_EQ(FMUC_LoadFontFile("T.ufnt", &font), 1);

  struct Row {
    const char* text;
    bool found;
    int length;
    int width;
  } rows[] = {
      {"A", true, 1, 10},             // the first definition of a code point wins
      {"\x0A", false, 1, 0},          // control byte
      {"\x85", false, 1, 0},          // C1 control byte
      {"\xE2\x82\xAC", false, 3, 0},  // U+20AC: not in the font, full length reported
      {"\xC3\xA9", true, 2, 6},       // é in UTF-8
      {"\xE9x", true, 1, 6},          // a stray Latin-1 byte is its own code point
      {"\xE2\x80\xA6", true, 3, 10},  // the ellipsis
  };
  for (const Row& row : rows) {
    byte length = 0;
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(&font, row.text, &length);
    EXPECT_EQ(glyph != nullptr, row.found) << row.text;
    EXPECT_EQ(length, row.length) << row.text;
    if (glyph) {
      EXPECT_EQ(glyph->Width, row.width) << row.text;
    }
  }

  byte length = 0;
  FMUC_Font zero{};
  EXPECT_EQ(FMUC_GetGlyphData(&zero, "A", &length), nullptr);
  EXPECT_EQ(length, 1);
  EXPECT_EQ(FMUC_GetGlyphData(nullptr, "A", &length), nullptr);
  EXPECT_EQ(FMUC_GetGlyphData(&font, nullptr, &length), nullptr);
  EXPECT_EQ(FMUC_GetStringWidth("A", nullptr), 0);
  EXPECT_EQ(FMUC_GetStringWidth("", &font), 0);
  EXPECT_EQ(FMUC_GetStringHeight(nullptr, &font), 0u);
}

TEST_F(FontFile, WrongMagicIsRefusedSilently) {
  std::string bytes = MakeUfnt(TenPixelGlyphs());
  bytes[3] = 'X';
  InstallFont("T.ufnt", bytes);
  EXPECT_EQ(FMUC_LoadFontFile("T.ufnt", &font), 0);
  EXPECT_TRUE(Zeroed());
  EXPECT_EQ(MessageWinRgn, 0u);
  EXPECT_EQ(stand::SyncCount(), 0u);
}

TEST_F(FontFile, NoArgumentsNoLoad) {
  EXPECT_EQ(FMUC_LoadFontFile(nullptr, &font), 0);
  EXPECT_EQ(FMUC_LoadFontFile("", &font), 0);
  EXPECT_EQ(FMUC_LoadFontFile("T.ufnt", nullptr), 0);
  EXPECT_TRUE(Zeroed());
  FMUC_FreeFontFile(nullptr);
}

// Every prefix of a font: the header and the table must be whole, a glyph whose pixels
// are cut is never found, and nothing is read beyond the file.
TEST_F(FontFile, CutShortAnywhere) {
  const std::vector<TestGlyph> glyphs = {
      RowGlyph('A', 3, 2, 255, {0}), RowGlyph('B', 2, 2, 255, {1}), RowGlyph('C', 1, 1, 255, {0})};
  const std::string whole = MakeUfnt(glyphs);
  const size_t tableEnd = 8 + 12 * glyphs.size();
  for (size_t size = 0; size < whole.size(); ++size) {
    InstallFont("T.ufnt", whole.substr(0, size));
    const int loaded = FMUC_LoadFontFile("T.ufnt", &font);
    EXPECT_EQ(loaded, size >= tableEnd ? 1 : 0) << size;
    size_t end = tableEnd;
    for (const TestGlyph& g : glyphs) {
      end += g.coverage.size();
      const char text[2] = {static_cast<char>(g.codePoint), 0};
      EXPECT_EQ(FMUC_GetGlyphData(&font, text, nullptr) != nullptr, loaded && end <= size)
          << size << " " << text;
    }
    FMUC_FreeFontFile(&font);
  }
}

TEST_F(FontFile, AbsurdCountsAndOffsets) {
  const std::string good = MakeUfnt({RowGlyph('A', 10, 10, 255, {0})});
  auto with = [&](size_t at, uint32_t value, int bytes) {
    std::string s = good;
    for (int i = 0; i < bytes; ++i)
      s[at + i] = static_cast<char>(value >> (8 * i));
    return s;
  };
  struct Row {
    const char* what;
    std::string bytes;
    int loads;
    bool glyph;
  } rows[] = {
      {"as made", good, 1, true},
      {"no glyphs", with(4, 0, 4), 0, false},
      {"count past the file", with(4, 10, 4), 0, false},
      {"count of 2^32 - 1", with(4, 0xFFFFFFFF, 4), 0, false},
      {"count whose table wraps 32 bits", with(4, 0x15555556, 4), 0, false},
      {"offset past the end", with(12, 10000, 4), 1, false},
      {"offset plus size past the end", with(12, 21, 4), 1, false},
      {"offset plus size wraps 32 bits", with(12, 0xFFFFFFF0, 4), 1, false},
      {"width 0", with(16, 0, 2), 1, false},
      {"height 0", with(18, 0, 2), 1, false},
      {"wider than the file", with(16, 0xFFFF, 2), 1, false},
  };
  for (const Row& row : rows) {
    InstallFont("T.ufnt", row.bytes);
    EXPECT_EQ(FMUC_LoadFontFile("T.ufnt", &font), row.loads) << row.what;
    EXPECT_EQ(FMUC_GetGlyphData(&font, "A", nullptr) != nullptr, row.glyph) << row.what;
    if (!row.loads) {
      EXPECT_TRUE(Zeroed()) << row.what;
    }
    FMUC_FreeFontFile(&font);
    EXPECT_EQ(stand::Memory().liveBlocks, 0u) << row.what;
  }
}

TEST_F(FontFile, BadGlyphIsSkippedOthersDrawn) {
  std::string bytes = MakeUfnt({RowGlyph('A', 10, 10, 255, {0}), RowGlyph('B', 4, 10, 255, {0})});
  bytes[12] = static_cast<char>(0xF0);  // A's pixels lie far beyond the end
  InstallFont("T.ufnt", bytes);
  ASSERT_EQ(FMUC_LoadFontFile("T.ufnt", &font), 1);
  EXPECT_EQ(FMUC_GetStringWidth("ABAB", &font), 8);
}

TEST_F(FontFile, OutOfMemory) {
  const std::string file = std::string(FMUC_FONT_FOLDER) + "T.ufnt";
  InstallFont("T.ufnt", MakeUfnt(TenPixelGlyphs()));

  stand::FailAllocation(1);  // the definition table
  EXPECT_EQ(FMUC_LoadFontFile("T.ufnt", &font), 0);
  EXPECT_EQ(font.FileHandle, 0);
  EXPECT_EQ(font.GlyphCount, 10);
  EXPECT_EQ(font.FontDef, nullptr);

  stand::FailAllocation(2);  // the cache: the whole font is given back
  EXPECT_EQ(FMUC_LoadFontFile("T.ufnt", &font), 0);
  EXPECT_TRUE(Zeroed());
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);

  // A glyph without memory is not cached, and the next lookup brings it in.
  ASSERT_EQ(FMUC_LoadFontFile("T.ufnt", &font), 1);
  stand::FailAllocation(1);
  EXPECT_EQ(FMUC_GetGlyphData(&font, "B", nullptr), nullptr);
  EXPECT_EQ(font.CachedGlyphs, 0);
  const FMUC_Glyph* b = FMUC_GetGlyphData(&font, "B", nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b, &font.GlyphCache[0]);
  EXPECT_EQ(font.CachedGlyphs, 1);
}

TEST_F(FontFile, MemoryTableQueries) {
  int count = -1;
  int bytes = -1;
  FMUC_MemoryDump(&count, &bytes);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(bytes, 0);
  EXPECT_EQ(FMUC_MemoryFindFree(), &FMUC_Memory[0]);
  int a;
  int b;
  EXPECT_EQ(FMUC_MemoryFindPointer(&a), nullptr);

  FMUC_Memory[0] = {0, 100, &a};
  FMUC_Memory[7] = {0, 20, &b};
  FMUC_MemoryDump(&count, nullptr);
  FMUC_MemoryDump(nullptr, &bytes);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(bytes, 120);
  EXPECT_EQ(FMUC_MemoryFindFree(), &FMUC_Memory[1]);
  EXPECT_EQ(FMUC_MemoryFindPointer(&b), &FMUC_Memory[7]);
  for (auto& record : FMUC_Memory)
    record.Pointer = &a;
  EXPECT_EQ(FMUC_MemoryFindFree(), nullptr);
  std::memset(FMUC_Memory, 0, sizeof FMUC_Memory);
}

}  // namespace
