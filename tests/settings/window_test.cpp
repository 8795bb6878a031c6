// The settings window as the user sees it in the stand.
#include <string>
#include <vector>

#include "core/id.h"
#include "tests/settings/settings_test_support.h"

namespace {

class WindowTest : public SettingsTest {
 protected:
  // A text line of the window: x y, colours, alignment, text.
  static TraceEntry Put(int x, int y, dword fore, dword back, int align, const char* text) {
    return {Call::PutS, {win ? win->region : 0, x, y, 288, fore, back, 0, 0, 0, align}, text};
  }
  // A pixel of the window, relative to its top left corner.
  static dword Pixel(dword x, dword y) { return stand::ScreenPixel(213 + x, 167 + y); }
};

TEST_F(WindowTest, OpensCentredWithTitleAndRows) {
  config[0].value = 1;
  config_set();
  ASSERT_NE(win, nullptr);
  std::vector<stand::OsdRegion> regions = stand::Regions();
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].x, 213u);
  EXPECT_EQ(regions[0].y, 167u);
  EXPECT_EQ(regions[0].width, 294u);
  EXPECT_EQ(regions[0].height, 74u);
  EXPECT_EQ(regions[0].flags, 0x2000u);
  EXPECT_EQ(stand::SysOsdItem(1), 0u);

  EXPECT_EQ(Calls(Call::PutS),
            (Trace{
                Put(6, 6, 0xFF00FFFF, 0xFF181818, 1, SCRAPDECK_PROGRAM_NAME),
                Put(6, 26, 0xFFFFFFFF, 0xFF181818, 0, "Prompt to delete file on"),
                Put(168, 26, 0xFF181818, 0xFF00FF00, 0, " PLAY only"),
                Put(6, 46, 0xFFFFFFFF, 0xFF181818, 0, "Window timeout"),
                Put(168, 46, 0xFFFFFFFF, 0xFF181818, 0, " 0:30"),
            }));
  // Frame and background as shown on the screen; the title is drawn in its colour and
  // the selected value stands on its own colour.
  EXPECT_EQ(Pixel(0, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(Pixel(293, 73), 0xFF7F7F7Fu);
  EXPECT_EQ(Pixel(2, 70), 0xFF181818u);
  bool titleDrawn = false;
  for (dword x = 6; x < 288 && !titleDrawn; ++x)
    for (dword y = 6; y < 26 && !titleDrawn; ++y)
      titleDrawn = Pixel(x, y) == 0xFF00FFFFu;
  EXPECT_TRUE(titleDrawn);
  EXPECT_EQ(Pixel(171, 27), 0xFF00FF00u);
  EXPECT_EQ(stand::SyncedPixel(213, 167), 0xFF7F7F7Fu);

#ifdef SCRAPDECK_STAND_PNG
  EXPECT_TRUE(stand::WritePng(SCRAPDECK_BINARY_DIR "/screenshots/settings_window.png"));
#endif
}

TEST_F(WindowTest, ValueTexts) {
  const struct {
    int row, value, min;
    int x, y;  // of the value
    dword colour;
    const char* text;
  } cases[] = {
      {1, 30, 1, 168, 46, 0xFFFFFFFF, " 0:30"},
      {1, 90, 1, 168, 46, 0xFFFFFFFF, " 1:30"},
      {1, 5999, 1, 168, 46, 0xFFFFFFFF, " 99:59"},
      {1, 6000, 1, 168, 46, 0xFFFFFFFF, " 100"},
      {1, 59940, 1, 168, 46, 0xFFFFFFFF, " 999"},
      {1, 5, -100, 164, 46, 0xFF00FF00, "+0:05"},
      {1, -5, -100, 167, 46, 0xFFFF0000, "-0:05"},
      {1, 0, -100, 168, 46, 0xFFFFFFFF, " 0:00"},
      {1, -6000, -7000, 167, 46, 0xFFFF0000, "-100"},
      {0, 0, 0, 168, 26, 0xFFFFFF00, " PLAY & RECORD"},
      {0, 1, 0, 168, 26, 0xFF00FF00, " PLAY only"},
      {0, 2, 0, 168, 26, 0xFFFF0000, " RECORD only"},
  };
  for (const auto& c : cases) {
    SetUp();
    config[c.row].value = c.value;
    config[c.row].min = c.min;
    ASSERT_TRUE(display_config(-1));
    Trace calls = Calls(Call::PutS);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[2 + 2 * c.row], Put(c.x, c.y, c.colour, 0xFF181818, 0, c.text));
    display_clear();
  }
  SetUp();
  config_disabled[1] = 1;
  ASSERT_TRUE(display_config(0));
  EXPECT_EQ(Calls(Call::PutS)[4], Put(168, 46, 0xFF404040, 0xFF181818, 0, " -----"));
}

TEST_F(WindowTest, RedrawsInPlaceAndClosesCleanly) {
  config_set();
  word region = static_cast<word>(win->region);
  stand::ClearOsdTrace();
  EXPECT_EQ(config_chk(KEY_DOWN), 0u);
  EXPECT_EQ(stand::Regions().size(), 1u);
  EXPECT_EQ(win->region, region);
  Trace calls = Calls(Call::PutS);
  ASSERT_EQ(calls.size(), 5u);
  // The selection moved: the first value is plain again, the second inverted.
  EXPECT_EQ(calls[2], Put(168, 26, 0xFFFFFF00, 0xFF181818, 0, " PLAY & RECORD"));
  EXPECT_EQ(calls[4], Put(168, 46, 0xFF181818, 0xFFFFFFFF, 0, " 0:30"));
  EXPECT_EQ(config_chk(KEY_STOP), KEY_STOP);
  EXPECT_TRUE(stand::RegionExists(region));

  EXPECT_EQ(config_chk(KEY_EXIT), 0u);
  EXPECT_FALSE(stand::RegionExists(region));
  EXPECT_TRUE(stand::Regions().empty());
  EXPECT_EQ(stand::SysOsdItem(1), 1u);
  EXPECT_EQ(stand::SyncedPixel(213, 167), stand::VideoColour());
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
  EXPECT_EQ(win, nullptr);
  display_clear();
  EXPECT_EQ(stand::OsdTrace().back(), TraceEntry({Call::SysOsdControl, {1, 1}}));
}

TEST_F(WindowTest, NoMemoryForTheWindowLeavesItClosed) {
  stand::FailAllocation(1);
  config_set();
  EXPECT_EQ(win, nullptr);
  EXPECT_EQ(ix, -1);
  EXPECT_TRUE(stand::Regions().empty());
  EXPECT_EQ(stand::SysOsdItem(1), 1u);
  EXPECT_EQ(config_chk(KEY_OK), KEY_OK);
}

}  // namespace
