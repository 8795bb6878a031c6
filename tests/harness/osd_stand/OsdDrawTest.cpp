// Boxes, frames, block copies and saved blocks, each clipped to its region.
#include <cstdint>
#include <functional>
#include <utility>

#include "tests/harness/osd_stand/osd_test.h"

namespace {

constexpr dword W = 10, H = 8;
constexpr dword INK = 0xFF181818;

using OsdDraw = StandTest;

// The pixels of a W x H region where `inside` says which are `colour` and the rest 0.
std::vector<dword> Expected(const std::function<bool(int64_t, int64_t)>& inside,
                            dword colour = INK) {
  std::vector<dword> pixels;
  for (int64_t y = 0; y < H; ++y)
    for (int64_t x = 0; x < W; ++x)
      pixels.push_back(inside(x, y) ? colour : 0);
  return pixels;
}

struct Box {
  dword x, y, width, height;
};
// Boxes that cross each region edge, lie beyond it or wrap round a 32-bit sum.
const Box kBoxes[] = {
    {2, 2, 3, 3},   {0, 0, W, H},          {7, 1, 5, 2},          {1, 6, 2, 5},
    {0, 0, 99, 99}, {W, 0, 1, 1},          {0, H, 1, 1},          {3, 3, 0, 4},
    {3, 3, 4, 0},   {5, 2, 0xFFFFFFFF, 1}, {0xFFFFFFFE, 1, 4, 2}, {1, 0xFFFFFFFF, 2, 3},
};

bool InBox(const Box& b, int64_t x, int64_t y) {
  return x >= b.x && x < int64_t(b.x) + b.width && y >= b.y && y < int64_t(b.y) + b.height;
}

TEST_F(OsdDraw, FillBoxIsClippedAtEveryEdge) {
  for (const Box& b : kBoxes) {
    stand::Reset();
    word r = TAP_Osd_Create(0, 0, W, H, 0, 0);
    EXPECT_EQ(TAP_Osd_FillBox(r, b.x, b.y, b.width, b.height, INK), 0);
    EXPECT_EQ(RegionPixels(r), Expected([&](int64_t x, int64_t y) { return InBox(b, x, y); }))
        << b.x << " " << b.y << " " << b.width << " " << b.height;
  }
}

TEST_F(OsdDraw, DrawRectangleFramesInsideByItsThickness) {
  for (dword thickness : {0u, 1u, 2u, 3u, 5u, 0xFFFFFFFFu}) {
    for (const Box& b : kBoxes) {
      stand::Reset();
      word r = TAP_Osd_Create(0, 0, W, H, 0, 0);
      TAP_Osd_DrawRectangle(r, b.x, b.y, b.width, b.height, thickness, INK);
      auto frame = [&](int64_t x, int64_t y) {
        int64_t t = thickness;
        return InBox(b, x, y) && (x < b.x + t || y < b.y + t || x >= int64_t(b.x) + b.width - t ||
                                  y >= int64_t(b.y) + b.height - t);
      };
      EXPECT_EQ(RegionPixels(r), Expected(frame))
          << "thickness " << thickness << " box " << b.x << " " << b.y << " " << b.width << " "
          << b.height;
    }
  }
}

TEST_F(OsdDraw, Draw3dBoxFillHasALightTopLeftAndADarkBottomRight) {
  word r = TAP_Osd_Create(0, 0, W, H, 0, 0);
  TAP_Osd_Draw3dBoxFill(r, 1, 1, 5, 4, 0xFFFFFFFF, 0xFF000000, INK);
  EXPECT_EQ(stand::RegionPixel(r, 1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(stand::RegionPixel(r, 4, 1), 0xFFFFFFFFu);
  EXPECT_EQ(stand::RegionPixel(r, 1, 3), 0xFFFFFFFFu);
  EXPECT_EQ(stand::RegionPixel(r, 5, 1), 0xFF000000u);  // the dark edge takes the corner
  EXPECT_EQ(stand::RegionPixel(r, 2, 4), 0xFF000000u);
  EXPECT_EQ(stand::RegionPixel(r, 5, 4), 0xFF000000u);
  EXPECT_EQ(stand::RegionPixel(r, 2, 2), INK);
  EXPECT_EQ(stand::RegionPixel(r, 4, 3), INK);
  EXPECT_EQ(stand::RegionPixel(r, 6, 2), 0u);
  EXPECT_EQ(stand::RegionPixel(r, 0, 0), 0u);
  // Cut by the region's edge, the box loses its far edges but keeps its fill.
  TAP_Osd_Draw3dBoxFill(r, 8, 6, 5, 5, 0xFFFFFFFF, 0xFF000000, 0xFF00FF00);
  EXPECT_EQ(stand::RegionPixel(r, 9, 7), 0xFF00FF00u);
  EXPECT_EQ(stand::OsdTrace().back(),
            TraceEntry({Call::Draw3dBoxFill, {1, 8, 6, 5, 5, 0xFFFFFFFF, 0xFF000000, 0xFF00FF00}}));
}

// Pixels numbered by position, so that any misplaced copy shows.
void Number(word r, dword width, dword height) {
  for (dword y = 0; y < height; ++y)
    for (dword x = 0; x < width; ++x)
      TAP_Osd_FillBox(r, x, y, 1, 1, 0xFF000000 | (y << 8) | x);
}

TEST_F(OsdDraw, CopyIsClippedToBothRegions) {
  struct Row {
    dword sx, sy, width, height, dx, dy;
  } rows[] = {
      {0, 0, W, H, 0, 0}, {2, 1, 3, 2, 5, 4}, {8, 6, 5, 5, 0, 0},
      {0, 0, 5, 5, 7, 6}, {3, 3, 0, 2, 0, 0}, {0, 0, 0xFFFFFFFF, 2, 1, 1},
  };
  for (const Row& c : rows) {
    stand::Reset();
    word from = TAP_Osd_Create(0, 0, W, H, 0, OSD_FLAG_MEMORY);
    word to = TAP_Osd_Create(0, 0, W, H, 0, 0);
    Number(from, W, H);
    EXPECT_EQ(TAP_Osd_Copy(from, to, c.sx, c.sy, c.width, c.height, c.dx, c.dy, false), 0);
    auto expected = Expected([](int64_t, int64_t) { return false; });
    for (int64_t y = 0; y < H; ++y)
      for (int64_t x = 0; x < W; ++x) {
        int64_t fx = x - c.dx + c.sx, fy = y - c.dy + c.sy;
        bool copied =
            x >= c.dx && y >= c.dy && x - c.dx < c.width && y - c.dy < c.height && fx < W && fy < H;
        if (copied) expected[y * W + x] = 0xFF000000 | dword(fy) << 8 | dword(fx);
      }
    EXPECT_EQ(RegionPixels(to), expected) << c.sx << " " << c.sy << " " << c.dx << " " << c.dy;
  }
}

TEST_F(OsdDraw, CopyWithinARegionAndAsSprite) {
  word r = TAP_Osd_Create(0, 0, W, H, 0, 0);
  Number(r, W, H);
  // Overlapping blocks move as if through a buffer.
  TAP_Osd_Copy(r, r, 0, 0, 6, 1, 2, 0, false);
  for (dword x = 2; x < 8; ++x)
    EXPECT_EQ(stand::RegionPixel(r, x, 0), 0xFF000000 | (x - 2));
  // A sprite copy lays the source over by its alpha; a plain copy replaces.
  word glass = TAP_Osd_Create(0, 0, 2, 1, 0, 0);
  TAP_Osd_FillBox(glass, 0, 0, 1, 1, 0x00FFFFFF);
  TAP_Osd_FillBox(glass, 1, 0, 1, 1, 0x80FFFFFF);
  TAP_Osd_FillBox(r, 0, 5, W, 1, 0xFF000000);
  TAP_Osd_Copy(glass, r, 0, 0, 2, 1, 0, 5, true);
  EXPECT_EQ(stand::RegionPixel(r, 0, 5), 0xFF000000u);
  EXPECT_EQ(stand::RegionPixel(r, 1, 5), 0xFF808080u);
  TAP_Osd_Copy(glass, r, 0, 0, 2, 1, 0, 5, false);
  EXPECT_EQ(stand::RegionPixel(r, 0, 5), 0x00FFFFFFu);
}

TEST_F(OsdDraw, SavedBlocksRoundTripRowByRow) {
  word r = TAP_Osd_Create(0, 0, W, H, 0, 0);
  Number(r, W, H);
  auto before = RegionPixels(r);
  byte* block = TAP_Osd_SaveBox(r, 6, 5, 6, 4);  // reaches past the right and bottom edges
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(stand::BlockSize(block), 6u * 4 * 4);
  const auto* pixels = reinterpret_cast<const dword*>(block);
  EXPECT_EQ(pixels[0], 0xFF000506u);
  EXPECT_EQ(pixels[1 * 6 + 3], 0xFF000609u);
  EXPECT_EQ(pixels[4], 0u);          // beyond the right edge
  EXPECT_EQ(pixels[3 * 6 + 0], 0u);  // beyond the bottom
  TAP_Osd_FillBox(r, 0, 0, W, H, INK);
  TAP_Osd_RestoreBox(r, 6, 5, 6, 4, block);
  TAP_MemFree(block);
  auto after = RegionPixels(r);
  for (dword y = 0; y < H; ++y)
    for (dword x = 0; x < W; ++x)
      EXPECT_EQ(after[y * W + x], x >= 6 && y >= 5 ? before[y * W + x] : INK) << x << "," << y;
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
}

TEST_F(OsdDraw, BlocksThatCannotBeRightAreRefused) {
  word r = TAP_Osd_Create(0, 0, W, H, 0, 0);
  EXPECT_EQ(TAP_Osd_SaveBox(r, 0, 0, 0, 4), nullptr);
  EXPECT_EQ(TAP_Osd_SaveBox(r, 0, 0, 0x10000, 0x10000), nullptr);
  EXPECT_EQ(TAP_Osd_SaveBox(r + 1, 0, 0, 1, 1), nullptr);
  stand::FailAllocation(1);
  EXPECT_EQ(TAP_Osd_SaveBox(r, 0, 0, 2, 2), nullptr);
  // A block too small for the rectangle is not read past its end.
  auto* small = static_cast<dword*>(TAP_MemAlloc(3 * 4));
  small[0] = small[1] = small[2] = INK;
  TAP_Osd_RestoreBox(r, 0, 0, 2, 2, small);
  EXPECT_EQ(stand::RegionPixel(r, 0, 0), 0u);
  TAP_Osd_RestoreBox(r, 0, 0, 3, 1, small);
  EXPECT_EQ(stand::RegionPixel(r, 2, 0), INK);
  TAP_MemFree(small);
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
}

TEST_F(OsdDraw, CallsOnMissingRegionsFailAndAreTraced) {
  word r = TAP_Osd_Create(0, 0, W, H, 0, 0);
  word none = r + 1;
  EXPECT_EQ(TAP_Osd_FillBox(none, 0, 0, 1, 1, INK), -1);
  EXPECT_EQ(TAP_Osd_FillBox(0, 0, 0, 1, 1, INK), -1);
  EXPECT_EQ(TAP_Osd_Draw3dBoxFill(none, 0, 0, 1, 1, INK, INK, INK), -1);
  EXPECT_EQ(TAP_Osd_DrawRectangle(none, 0, 0, 1, 1, 1, INK), -1);
  EXPECT_EQ(TAP_Osd_Copy(r, none, 0, 0, 1, 1, 0, 0, false), -1);
  EXPECT_EQ(TAP_Osd_Copy(none, r, 0, 0, 1, 1, 0, 0, false), -1);
  EXPECT_EQ(RegionPixels(r), Expected([](int64_t, int64_t) { return false; }));
  const Trace expected{{Call::Create, {1, 0, 0, W, H, 0}},
                       {Call::FillBox, {2, 0, 0, 1, 1, INK}},
                       {Call::FillBox, {0, 0, 0, 1, 1, INK}},
                       {Call::Draw3dBoxFill, {2, 0, 0, 1, 1, INK, INK, INK}},
                       {Call::DrawRectangle, {2, 0, 0, 1, 1, 1, INK}},
                       {Call::Copy, {1, 2, 0, 0, 1, 1, 0, 0, 0}},
                       {Call::Copy, {2, 1, 0, 0, 1, 1, 0, 0, 0}}};
  EXPECT_EQ(stand::OsdTrace(), expected);
  // How entries read in failure messages.
  const std::pair<TraceEntry, const char*> lines[] = {
      {{Call::Create, {1, 170, 193, 380, 190, 0x8000}}, "Create 1 170 193 380 190 8000"},
      {{Call::PutGd, {1, -1, 2, 7, 5, 1}}, "PutGd 1 -1 2 7x5 1"},
      {{Call::PutGd, {1, 0, 0, 0, 0, 0}, "null"}, "PutGd 1 0 0 null 0"},
      {{Call::PutS, {1, 0, 0, 200, INK, 0, 0, 2, 0, 0}, "H"},
       "PutS 1 0 0 200 FF181818 00000000 0 2 0 0 H"},
  };
  for (const auto& [entry, line] : lines)
    EXPECT_EQ(stand::Line(entry), line);
  EXPECT_TRUE(stand::IsColour(Call::PutS, 5) && stand::IsColour(Call::Draw3dBoxFill, 7));
  EXPECT_FALSE(stand::IsColour(Call::PutS, 3) || stand::IsColour(Call::PutGd, 4));
}

}  // namespace
