// The message window, and the font loader's complaint about a missing font.
#include <filesystem>
#include <string>
#include <vector>

#include "core/id.h"
#include "lib/font/font.h"
#include "lib/osd/messagewin.h"
#include "lib/osd/osd.h"
#include "tests/support/test_fonts.h"
#include "tests/support/trace.h"

namespace {

constexpr dword kBorder = 0xFF9C9C9C;
constexpr dword kInside = 0xFF192952;

class MessageWindow : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    MessageWinRgn = 0;
  }
  static dword W(const char* text) { return stand::FirmwareTextWidth(text, 2); }
};

TEST_F(MessageWindow, CentredNoticeWithTitleAndTwoLines) {
  ShowMessageWin(SCRAPDECK_PROGRAM_NAME, "failed to load X", "Please install the font", 0);
  const dword width =
      std::max({W(SCRAPDECK_PROGRAM_NAME), W("failed to load X"), W("Please install the font")}) +
      20;
  const dword x = (720 - width) / 2;
  const dword y = (576 - 88) / 2;
  auto put = [width](int y, dword fore, const char* text) {
    return TraceEntry{Call::PutS, {1, 5, y, width - 5, fore, kInside, 0, 2, 0, 1}, text};
  };
  const Trace expected = {
      {Call::Create, {1, x, y, width, 88, 0x8000}},
      {Call::FillBox, {1, 0, 0, width, 88, kBorder}},
      {Call::FillBox, {1, 5, 5, width - 10, 78, kInside}},
      put(5, 0xFFFFFF52, SCRAPDECK_PROGRAM_NAME),
      put(31, 0xFFE6FFE6, "failed to load X"),
      put(57, 0xFFE6FFE6, "Please install the font"),
      {Call::Create, {2, x, y, width, 88, 0}},
      {Call::Copy, {1, 2, 0, 0, width, 88, 0, 0, 0}},
      {Call::Delete, {1}},
      {Call::Sync},
  };
  EXPECT_EQ(stand::OsdTrace(), expected);
  ASSERT_EQ(MessageWinRgn, 2u);
  const std::vector<stand::OsdRegion> regions = stand::Regions();
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_TRUE(regions[0].shown);
  EXPECT_EQ(stand::ScreenPixel(x, y), kBorder);
  EXPECT_EQ(stand::ScreenPixel(x + width - 6, y + 88 - 6), kInside);
  EXPECT_EQ(GetOSDRegionWidth(2), width);

  // Closing removes it; closing again only syncs.
  EndMessageWin();
  EXPECT_EQ(MessageWinRgn, 0u);
  EXPECT_TRUE(stand::Regions().empty());
  stand::ClearOsdTrace();
  EndMessageWin();
  EXPECT_EQ(stand::OsdTrace(), Trace{{Call::Sync}});
}

TEST_F(MessageWindow, Placement) {
  const std::string wide(200, 'W');
  struct Row {
    const char* what;
    std::vector<const char*> content;
    dword x, y;
    std::vector<int64_t> create;  // the visible region
    size_t puts;                  // title and lines put
  } rows[] = {
      {"a line wider than the screen",
       {"T", wide.c_str(), nullptr},
       720,
       576,
       {2, 0, (576 - 62) / 2, 720, 62, 0},
       2},
      {"only lines above the bottom",
       {"T", "a", "b", "c", nullptr},
       10,
       500,
       {2, 10, 500, std::max(W("T"), W("a")) + 20, 62, 0},
       2},
      {"no title, no line", {nullptr, nullptr}, 720, 576, {2, 350, 270, 20, 36, 0}, 1},
      {"no title", {nullptr, "a", nullptr}, 100, 100, {2, 100, 100, W("a") + 20, 36, 0}, 1},
      {"squeezed at the right edge", {"Title", nullptr}, 715, 100, {2, 715, 100, 5, 36, 0}, 1},
  };
  for (const Row& row : rows) {
    stand::ClearOsdTrace();
    ShowMessageWindow(row.content.data(), row.x, row.y, 2, 1, kBorder, 0xFFFFFF52, 0xFFE6FFE6,
                      kInside, 0);
    std::vector<int64_t> create;
    for (const TraceEntry& e : stand::OsdTrace()) {
      if (e.call == Call::Create && e.numbers[5] == 0) create = e.numbers;
      // A narrow window never asks for sizes that wrapped round below 0.
      for (size_t i = 0; i < e.numbers.size(); ++i)
        EXPECT_TRUE(stand::IsColour(e.call, i) || e.numbers[i] < 0x80000000) << row.what << e;
    }
    EXPECT_EQ(create, row.create) << row.what;
    EXPECT_EQ(Calls(Call::PutS).size(), row.puts) << row.what;
    EndMessageWin();
  }
}

TEST_F(MessageWindow, LeftAlignedLinesAndSmallFont) {
  const char* content[] = {"T", "line", nullptr};
  ShowMessageWindow(content, 720, 576, 0, 0, kBorder, 1, 2, kInside, 0);
  // Margin 14: border 3, lines indented by 7, line height 19.
  EXPECT_EQ(Calls(Call::PutS, {1, 7, 24}, {stand::OsdTrace()[4]}).size(), 1u)
      << stand::OsdTrace()[4];
  EXPECT_EQ(Calls(Call::FillBox, {1, 3, 3}, {stand::OsdTrace()[2]}).size(), 1u);
}

TEST_F(MessageWindow, ANewWindowReplacesTheOld) {
  ShowMessageWin("One", "a", nullptr, 0);
  ShowMessageWin("Two", "b", nullptr, 0);
  EXPECT_EQ(stand::Regions().size(), 1u);
  EXPECT_EQ(stand::Regions()[0].handle, MessageWinRgn);
  EndMessageWin();
}

TEST_F(MessageWindow, DelayedWindowClosesItself) {
  ShowMessageWin("T", "a", nullptr, 300);
  EXPECT_EQ(stand::Now(), 300u);
  EXPECT_EQ(MessageWinRgn, 0u);
  EXPECT_TRUE(stand::Regions().empty());
}

TEST_F(MessageWindow, RegionWidthNeedsTheMap) {
  const word region = TAP_Osd_Create(0, 0, 123, 10, 0, 0);
  EXPECT_EQ(GetOSDRegionWidth(region), 123u);
  ResetToolkitState();
  stand::SetFirmwareSymbol("_osdInfo", false);
  EXPECT_EQ(GetOSDRegionWidth(region), 0u);
}

// What the screen showed while the loader's notice waited.
std::vector<std::string> shownTexts;
dword shownBorder = 0;
void (*standDelay)(dword) = nullptr;
void WatchingDelay(dword ticks) {
  const std::vector<std::string> texts = Texts();
  shownTexts.insert(shownTexts.end(), texts.begin(), texts.end());
  for (const stand::OsdRegion& r : stand::Regions())
    if (r.shown) shownBorder = stand::ScreenPixel(r.x, r.y);
#ifdef SCRAPDECK_STAND_PNG
  const std::filesystem::path png =
      std::filesystem::path(SCRAPDECK_BINARY_DIR) / "screenshots" / "missing_font.png";
  EXPECT_TRUE(stand::WritePng(png.string()));
#endif
  standDelay(ticks);
}

TEST_F(MessageWindow, MissingFontIsReportedOnce) {
  shownTexts.clear();
  standDelay = TAP_Delay;
  TAP_Delay = WatchingDelay;
  FMUC_Font font{};
  EXPECT_EQ(FMUC_LoadFontFile("Calibri_12.ufnt", &font), 0);
  TAP_Delay = standDelay;
  EXPECT_LT(font.FileHandle, 0);
  EXPECT_EQ(shownTexts,
            (std::vector<std::string>{SCRAPDECK_PROGRAM_NAME, "failed to load Calibri_12.ufnt",
                                      "Please install the font"}));
  EXPECT_EQ(shownBorder, kBorder);
  EXPECT_EQ(stand::Now(), 300u);
  EXPECT_TRUE(stand::Regions().empty());
  EXPECT_EQ(FMUC_GetGlyphData(&font, "A", nullptr), nullptr);
  EXPECT_EQ(FMUC_GetStringWidth("A", &font), 0);

  // Freeing the failed record closes nothing and empties it; loading again complains again.
  const size_t syncs = stand::SyncCount();
  const int descriptors = OpenDescriptors();
  FMUC_FreeFontFile(&font);
  EXPECT_EQ(font.FileHandle, 0);
  EXPECT_EQ(OpenDescriptors(), descriptors);
  // Tried again after the free, the font is missing still; the notice was shown this run.
  EXPECT_EQ(FMUC_LoadFontFile("Calibri_12.ufnt", &font), 0);
  EXPECT_LT(font.FileHandle, 0);
  EXPECT_EQ(stand::SyncCount(), syncs);
  EXPECT_EQ(stand::Now(), 300u);
  FMUC_FreeFontFile(&font);
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
}

}  // namespace
