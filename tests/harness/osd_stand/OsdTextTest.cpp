// Text in the firmware's own font (TAP_Osd_PutS, TAP_Osd_GetW), and a whole test screen.
#include <cstdlib>

#include "core/id.h"
#include "tests/harness/osd_stand/osd_test.h"

namespace {

constexpr dword FORE = 0xFFFFFFFF, BACK = 0xFF102030, PAPER = 0xFF800000;

class OsdText : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    region = TAP_Osd_Create(0, 0, 200, 40, 0, 0);
    TAP_Osd_FillBox(region, 0, 0, 200, 40, PAPER);
  }
  // First and last column, in [from, to), that differ from the paper on row y.
  std::pair<int, int> Extent(dword y, int from = 0, int to = 200) {
    int first = -1, last = -1;
    for (int x = from; x < to; ++x)
      if (stand::RegionPixel(region, x, y) != PAPER) {
        if (first < 0) first = x;
        last = x;
      }
    return {first, last};
  }
  word region = 0;
};

TEST_F(OsdText, WidthsAddUpPerCharacterAndSelectorsAboveTwoActAsTwo) {
  dword a = TAP_Osd_GetW("A", 0, 2), b = TAP_Osd_GetW("B", 0, 2);
  EXPECT_GT(a, 0u);
  EXPECT_EQ(TAP_Osd_GetW("AB", 0, 2), a + b);
  EXPECT_EQ(TAP_Osd_GetW("", 0, 2), 0u);
  EXPECT_EQ(TAP_Osd_GetW(nullptr, 0, 2), 0u);
  EXPECT_EQ(TAP_Osd_GetW("Scrapdeck", 0, 7), TAP_Osd_GetW("Scrapdeck", 0, 2));
  EXPECT_LT(TAP_Osd_GetW("Scrapdeck", 0, 0), TAP_Osd_GetW("Scrapdeck", 0, 2));
  EXPECT_EQ(stand::FirmwareTextWidth("AB", 2), a + b);
  EXPECT_GT(stand::FirmwareLineHeight(0), 0u);
  // Valid UTF-8 is read as UTF-8, anything else byte by byte as Latin-1.
  dword eAcute = TAP_Osd_GetW("\xC3\xA9", 0, 1);
  EXPECT_GT(eAcute, 0u);
  EXPECT_EQ(TAP_Osd_GetW("\xE9", 0, 1), eAcute);
  EXPECT_EQ(TAP_Osd_GetW("caf\xE9", 0, 1), TAP_Osd_GetW("caf\xC3\xA9", 0, 1));
  EXPECT_EQ(TAP_Osd_GetW("\xC3\xA9\xE9", 0, 1), TAP_Osd_GetW("\xC3\xA9\xC3\xA9", 0, 1) / 2 +
                                                    TAP_Osd_GetW("\xC3", 0, 1) +
                                                    TAP_Osd_GetW("\xA9", 0, 1));
}

TEST_F(OsdText, AlignmentPlacesTheTextBetweenXAndMaxX) {
  const char* text = "Keep";
  int width = int(TAP_Osd_GetW(text, 0, 0));
  struct Row {
    byte align;
    int start;
  } rows[] = {{0, 20}, {1, 20 + (160 - width) / 2}, {2, 180 - width}, {7, 20}};
  for (const Row& c : rows) {
    TAP_Osd_FillBox(region, 0, 0, 200, 40, PAPER);
    ASSERT_EQ(TAP_Osd_PutS(region, 20, 5, 180, text, FORE, BACK, 0, 0, 0, c.align), 0);
    // With a back colour every glyph cell is painted, so the text's extent is exact.
    EXPECT_EQ(Extent(5), std::make_pair(c.start, c.start + width - 1)) << int(c.align);
    EXPECT_EQ(Extent(4).first, -1);  // glyphs hang from the given top row
  }
}

TEST_F(OsdText, LongTextIsCutAtTheLimitAndAtTheRegion) {
  const char* text = "Recording stopped while playing";
  int limit = int(TAP_Osd_GetW("Recording", 0, 0));
  for (byte align : {0, 1, 2}) {
    TAP_Osd_FillBox(region, 0, 0, 200, 40, PAPER);
    TAP_Osd_PutS(region, 10, 5, 10 + limit, text, FORE, BACK, 0, 0, 0, align);
    auto extent = Extent(5);
    EXPECT_EQ(extent.first, 10) << int(align);
    EXPECT_EQ(extent.second, 10 + limit - 1) << int(align);  // whole characters only
  }
  // A limit beyond the region, and text hanging over its bottom and right edges.
  EXPECT_EQ(TAP_Osd_PutS(region, 150, 30, 5000, text, FORE, BACK, 0, 2, 0, 0), 0);
  EXPECT_NE(stand::RegionPixel(region, 199, 39), PAPER);
  EXPECT_EQ(TAP_Osd_PutS(region, 250, 50, 400, text, FORE, BACK, 0, 2, 0, 0), 0);
  TAP_Osd_FillBox(region, 0, 0, 200, 40, PAPER);
  EXPECT_EQ(TAP_Osd_PutS(region, 30, 5, 20, text, FORE, BACK, 0, 0, 0, 1), 0);
  EXPECT_EQ(Extent(5, 0, 150).first, -1);  // a limit left of x draws nothing
}

TEST_F(OsdText, CoverageBlendsOverTheBackColourOrTheExistingPixels) {
  TAP_Osd_PutS(region, 0, 0, 200, "H", FORE, 0, 0, 2, 0, 0);
  dword width = TAP_Osd_GetW("H", 0, 2);
  int fore = 0, paper = 0, other = 0;
  for (dword y = 0; y < stand::FirmwareLineHeight(2); ++y)
    for (dword x = 0; x < width; ++x) {
      dword p = stand::RegionPixel(region, x, y);
      (p == FORE ? fore : p == PAPER ? paper : other)++;
      EXPECT_EQ(p >> 24, 0xFFu);  // blended over an opaque pixel, the pixel stays opaque
    }
  EXPECT_GT(fore, 0);
  EXPECT_GT(paper, 0);  // back colour 0: untouched where the glyph has no coverage
  TAP_Osd_PutS(region, 0, 0, 200, "H", FORE, BACK, 0, 2, 0, 0);
  EXPECT_EQ(stand::RegionPixel(region, 0, 0), BACK);
  EXPECT_EQ(stand::OsdTrace().back(),
            TraceEntry({Call::PutS, {1, 0, 0, 200, FORE, BACK, 0, 2, 0, 0}, "H"}));
}

TEST_F(OsdText, MissingFontsDrawNothing) {
  setenv("SCRAPDECK_STAND_FONT_DIR", "/nonexistent-font-folder", 1);
  auto before = RegionPixels(region);
  EXPECT_EQ(TAP_Osd_PutS(region, 0, 0, 200, "Keep", FORE, BACK, 0, 1, 0, 0), -1);
  EXPECT_EQ(TAP_Osd_GetW("Keep", 0, 1), 0u);
  unsetenv("SCRAPDECK_STAND_FONT_DIR");
  EXPECT_EQ(RegionPixels(region), before);
  EXPECT_NE(stand::Log().find("cannot be read"), std::string::npos);
  EXPECT_EQ(TAP_Osd_PutS(0, 0, 0, 200, "Keep", FORE, BACK, 0, 1, 0, 0), -1);
  EXPECT_EQ(TAP_Osd_PutS(region, 0, 0, 200, nullptr, FORE, BACK, 0, 1, 0, 0), -1);
}

// A screen with every kind of drawing, written for people to look at.
TEST_F(OsdText, TestScreen) {
  stand::SetVideoColour(0xFF204060);
  TAP_Osd_Delete(region);
  word panel = TAP_Osd_Create(213, 167, 294, 74, 0, 0x2000);
  TAP_Osd_Draw3dBoxFill(panel, 0, 0, 294, 74, 0xFF7F7F7F, 0xFF7F7F7F, 0xFF181818);
  TAP_Osd_PutS(panel, 6, 6, 288, SCRAPDECK_PROGRAM_NAME, 0xFF00FFFF, 0xFF181818, 0, 0, 0, 1);
  TAP_Osd_PutS(panel, 6, 26, 288, "Prompt on", 0xFFFFFFFF, 0xFF181818, 0, 0, 0, 0);
  TAP_Osd_PutS(panel, 168, 26, 288, " PLAY only", 0xFF181818, 0xFF00FF00, 0, 0, 0, 0);
  TAP_Osd_PutS(panel, 6, 46, 288, "Timeout", 0xFFFFFFFF, 0xFF181818, 0, 0, 0, 0);
  TAP_Osd_PutS(panel, 168, 46, 288, " 0:30", 0xFFFFFFFF, 0xFF181818, 0, 0, 0, 0);

  word work = TAP_Osd_Create(0, 0, 300, 88, 0, OSD_FLAG_MEMORY);
  TAP_Osd_FillBox(work, 0, 0, 300, 88, 0xFF9C9C9C);
  TAP_Osd_FillBox(work, 5, 5, 290, 78, 0xFF192952);
  TAP_Osd_PutS(work, 5, 5, 295, SCRAPDECK_PROGRAM_NAME, 0xFFFFFF52, 0xFF192952, 0, 2, 0, 1);
  TAP_Osd_PutS(work, 5, 31, 295, "failed to load Calibri_14.ufnt", 0xFFE6FFE6, 0xFF192952, 0, 2, 0,
               1);
  TAP_Osd_PutS(work, 5, 57, 295, "Please install the font", 0xFFE6FFE6, 0xFF192952, 0, 2, 0, 1);
  word window = TAP_Osd_Create(210, 300, 300, 88, 0, 0);
  TAP_Osd_Copy(work, window, 0, 0, 300, 88, 0, 0, false);
  TAP_Osd_Delete(work);

  word frames = TAP_Osd_Create(40, 420, 640, 120, 0, 0);
  for (dword t = 1; t <= 4; ++t)
    TAP_Osd_DrawRectangle(frames, 20 + (t - 1) * 150, 20, 120, 80, t, 0xFFE89211);
  std::vector<dword> bar;
  for (dword y = 0; y < 25; ++y)
    for (dword x = 0; x < 100; ++x)
      bar.push_back(0xFF000000 | (0x30 + y * 6) << 8 | (x == 99 ? 0x10 : 0x20));
  std::vector<byte> packed = PackPixels(bar);
  TYPE_GrData gd{1, 0, 1, 2, packed.data(), 100 * 25 * 4, 100, 25};
  TAP_Osd_PutGd(frames, 30, 48, &gd, false);
  TAP_Osd_PutS(frames, 30, 52, 130, "Delete", 0xFF282828, 0, 0, 1, 0, 1);
  TAP_Osd_Sync();

  EXPECT_EQ(stand::ScreenPixel(213, 167), 0xFF7F7F7Fu);
  EXPECT_EQ(stand::ScreenPixel(0, 0), 0xFF204060u);
  EXPECT_EQ(stand::ScreenPixel(210, 300), 0xFF9C9C9Cu);
  EXPECT_EQ(stand::ScreenPixel(40 + 20 + 150 * 3 + 3, 420 + 50), 0xFFE89211u);
  EXPECT_EQ(stand::ScreenPixel(40 + 20 + 150 * 3 + 4, 420 + 50), 0xFF204060u);
#ifdef SCRAPDECK_STAND_PNG
  EXPECT_TRUE(stand::WritePng(std::string(SCRAPDECK_BINARY_DIR) + "/screenshots/osd_stand.png"));
#endif
}

}  // namespace
