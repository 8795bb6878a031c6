// Regions, the firmware's region map, the composed screen and the display modes.
#include <cstdio>

#include "tests/harness/osd_stand/osd_test.h"

#ifdef SCRAPDECK_STAND_PNG
#include <png.h>
#endif

namespace {

using OsdRegion = StandTest;

TEST_F(OsdRegion, HandlesCountFromOneAndTheMapFollowsCreateAndDelete) {
  word a = TAP_Osd_Create(170, 193, 380, 190, 0, 0);
  word b = TAP_Osd_Create(0, 0, 100, 88, 0, OSD_FLAG_MEMORY);
  ASSERT_EQ(a, 1);
  ASSERT_EQ(b, 2);
  TYPE_OsdMapEntry* map = stand::OsdMap();
  EXPECT_EQ(map[a].x, 170);
  EXPECT_EQ(map[a].y, 193);
  EXPECT_EQ(map[a].width, 380);
  EXPECT_EQ(map[0].width, 0);  // 0 is never a region

  auto regions = stand::Regions();
  ASSERT_EQ(regions.size(), 2u);
  EXPECT_EQ(regions[0].handle, a);
  EXPECT_TRUE(regions[0].shown);
  EXPECT_EQ(regions[1].handle, b);
  EXPECT_FALSE(regions[1].shown);

  EXPECT_EQ(TAP_Osd_Delete(a), 0);
  EXPECT_EQ(map[a].x, 0);
  EXPECT_EQ(map[a].width, 0);
  EXPECT_FALSE(stand::RegionExists(a));
  EXPECT_EQ(TAP_Osd_Delete(a), -1);
  // The freed handle is the next one given out; the map shows the new region.
  EXPECT_EQ(TAP_Osd_Create(10, 20, 30, 40, 0, 0), a);
  EXPECT_EQ(map[a].x, 10);
  EXPECT_EQ(map[a].width, 30);
  EXPECT_EQ(stand::Regions().back().handle, a);

  stand::Reset();
  EXPECT_TRUE(stand::Regions().empty());
  EXPECT_EQ(stand::OsdMap()[a].width, 0);
}

TEST_F(OsdRegion, RegionsOffTheScreenOrEmptyAreRefused) {
  struct Row {
    dword x, y, width, height;
  } rows[] = {
      {0, 0, 0, 10},    {0, 0, 10, 0},         {711, 0, 10, 10},
      {0, 567, 10, 10}, {720, 0, 1, 1},        {0, 0, 721, 1},
      {0, 0, 1, 577},   {1, 0, 0xFFFFFFFF, 1}, {0xFFFFFFF0, 0, 0x20, 1},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(TAP_Osd_Create(r.x, r.y, r.width, r.height, 0, 0), 0)
        << r.x << " " << r.y << " " << r.width << " " << r.height;
  }
  EXPECT_TRUE(stand::Regions().empty());
  EXPECT_NE(TAP_Osd_Create(0, 0, 720, 576, 0, 0), 0);
}

TEST_F(OsdRegion, HandlesRunOut) {
  for (size_t i = 1; i < stand::OSD_HANDLES; ++i)
    ASSERT_EQ(TAP_Osd_Create(0, 0, 1, 1, 0, 0), i);
  EXPECT_EQ(TAP_Osd_Create(0, 0, 1, 1, 0, 0), 0);
  EXPECT_NE(stand::Log().find("every region handle is in use"), std::string::npos);
}

TEST_F(OsdRegion, SyncComposesShownRegionsInCreationOrderOverTheVideoPlane) {
  stand::SetVideoColour(0xFF0000FF);
  word below = TAP_Osd_Create(0, 0, 20, 20, 0, 0);
  word above = TAP_Osd_Create(10, 10, 20, 20, 0, 0);
  word hidden = TAP_Osd_Create(0, 0, 40, 40, 0, OSD_FLAG_MEMORY);
  TAP_Osd_FillBox(below, 0, 0, 20, 20, 0xFFFF0000);
  TAP_Osd_FillBox(above, 0, 0, 10, 20, 0x80FFFFFF);  // half white, left half only
  TAP_Osd_FillBox(hidden, 0, 0, 40, 40, 0xFF00FF00);

  EXPECT_EQ(stand::SyncedPixel(5, 5), 0xFF000000u);  // nothing shown before the first sync
  TAP_Osd_Sync();
  EXPECT_EQ(stand::SyncCount(), 1u);
  struct Row {
    dword x, y, colour;
  } rows[] = {
      {5, 5, 0xFFFF0000},    // only the lower region
      {15, 15, 0xFFFF8080},  // half white over red
      {15, 25, 0xFF8080FF},  // half white over the video plane
      {25, 15, 0xFF0000FF},  // transparent part of the upper region
      {35, 35, 0xFF0000FF},  // only under the memory-only region
      {719, 575, 0xFF0000FF},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(stand::SyncedPixel(r.x, r.y), r.colour) << r.x << "," << r.y;
    EXPECT_EQ(stand::ScreenPixel(r.x, r.y), r.colour) << r.x << "," << r.y;
  }
  // The shown screen changes only with the next sync.
  TAP_Osd_Delete(above);
  EXPECT_EQ(stand::ScreenPixel(15, 25), 0xFF0000FFu);
  EXPECT_EQ(stand::SyncedPixel(15, 25), 0xFF8080FFu);
  EXPECT_EQ(stand::ScreenPixel(720, 0), 0u);
}

TEST_F(OsdRegion, FirmwareModesAreObservedAndReset) {
  EXPECT_TRUE(stand::NormalMode());
  TAP_ExitNormal();
  EXPECT_FALSE(stand::NormalMode());
  TAP_EnterNormal();
  EXPECT_TRUE(stand::NormalMode());
  EXPECT_EQ(stand::SysOsdItem(1), 1u);
  TAP_SysOsdControl(1, 0);
  EXPECT_EQ(stand::SysOsdItem(1), 0u);
  EXPECT_EQ(stand::SysOsdItem(2), 1u);
  TAP_ExitNormal();
  const Trace expected{
      {Call::ExitNormal}, {Call::EnterNormal}, {Call::SysOsdControl, {1, 0}}, {Call::ExitNormal}};
  EXPECT_EQ(stand::OsdTrace(), expected);
  stand::Reset();
  EXPECT_TRUE(stand::NormalMode());
  EXPECT_EQ(stand::SysOsdItem(1), 1u);
  EXPECT_TRUE(stand::OsdTrace().empty());
}

#ifdef SCRAPDECK_STAND_PNG
TEST_F(OsdRegion, PngHoldsTheComposedScreen) {
  word r = TAP_Osd_Create(100, 50, 200, 100, 0, 0);
  TAP_Osd_FillBox(r, 0, 0, 200, 100, 0xFF123456);
  TAP_Osd_FillBox(r, 0, 0, 1, 1, 0x00000000);
  std::string path = std::string(SCRAPDECK_BINARY_DIR) + "/tests/harness/osd_stand/screen.png";
  std::remove(path.c_str());
  ASSERT_TRUE(stand::WritePng(path));

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  EXPECT_EQ(image.width, SCREEN_WIDTH);
  EXPECT_EQ(image.height, SCREEN_HEIGHT);
  image.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> rgba(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
  auto at = [&](dword x, dword y) {
    const png_byte* p = &rgba[(size_t(y) * SCREEN_WIDTH + x) * 4];
    return dword(p[3]) << 24 | dword(p[0]) << 16 | dword(p[1]) << 8 | p[2];
  };
  EXPECT_EQ(at(150, 60), 0xFF123456u);
  EXPECT_EQ(at(100, 50), 0xFF000000u);  // transparent region pixel: the video plane
  EXPECT_EQ(at(99, 60), 0xFF000000u);
  EXPECT_EQ(at(299, 149), 0xFF123456u);
}
#else
TEST_F(OsdRegion, PngIsNotWrittenWithoutLibpng) {
  EXPECT_FALSE(
      stand::WritePng(std::string(SCRAPDECK_BINARY_DIR) + "/tests/harness/osd_stand/x.png"));
}
#endif

}  // namespace
