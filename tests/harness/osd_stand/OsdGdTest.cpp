// Host graphics drawn with TAP_Osd_PutGd: packed pictures and descriptors that are not.
#include <algorithm>
#include <cstring>

#include "tests/harness/osd_stand/osd_test.h"
#include "tools/imagepack/PackCompressedGd.h"

std::vector<byte> PackPixels(const std::vector<dword>& argb) {
  std::vector<uint8_t> raw;
  for (dword p : argb)
    for (int shift = 0; shift < 32; shift += 8)
      raw.push_back(uint8_t(p >> shift));  // blue, green, red, alpha
  std::vector<uint8_t> packed;
  std::string error;
  EXPECT_TRUE(PackCompressedGd(raw.data(), raw.size(), packed, error)) << error;
  return packed;
}

namespace {

constexpr word PW = 7, PH = 5;

// A picture of distinct pixels with a transparent and a half-transparent column.
std::vector<dword> Picture() {
  std::vector<dword> argb;
  for (dword y = 0; y < PH; ++y)
    for (dword x = 0; x < PW; ++x)
      argb.push_back(x == 0 ? 0x00FFFFFF : x == 1 ? 0x80FFFFFF : 0xFF000000 | y << 8 | x);
  return argb;
}

class OsdGd : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    packed = PackPixels(Picture());
    gd = TYPE_GrData{1, 0, 1, 2, packed.data(), dword(PW * PH * 4), PW, PH};
    region = TAP_Osd_Create(0, 0, 10, 8, 0, 0);
    TAP_Osd_FillBox(region, 0, 0, 10, 8, 0xFF000000);
  }
  std::vector<byte> packed;
  TYPE_GrData gd{};
  word region = 0;
};

TEST_F(OsdGd, PackedPictureIsDrawnClippedWithOrWithoutAlpha) {
  struct Row {
    int x, y;
    bool sprite;
  } rows[] = {{0, 0, false}, {3, 2, false}, {-2, -1, false}, {6, 6, true}, {1, 1, true}};
  auto picture = Picture();
  for (const Row& c : rows) {
    TAP_Osd_FillBox(region, 0, 0, 10, 8, 0xFF000000);
    ASSERT_EQ(TAP_Osd_PutGd(region, c.x, c.y, &gd, c.sprite), 0);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x) {
        int px = x - c.x, py = y - c.y;
        dword expected = 0xFF000000;
        if (px >= 0 && py >= 0 && px < PW && py < PH) {
          expected = picture[py * PW + px];
          if (c.sprite && px == 0) expected = 0xFF000000;
          if (c.sprite && px == 1) expected = 0xFF808080;
        }
        EXPECT_EQ(stand::RegionPixel(region, x, y), expected)
            << "at " << c.x << "," << c.y << " pixel " << x << "," << y;
      }
  }
  EXPECT_EQ(stand::OsdTrace().back(), TraceEntry({Call::PutGd, {1, 1, 1, 7, 5, 1}}));
}

TEST_F(OsdGd, MalformedDescriptorsDrawNothing) {
  // Packed data with a record length that runs past its end: given in a host block, so the
  // stand knows where the data stops.
  auto* cut = static_cast<byte*>(TAP_MemAlloc(dword(packed.size() - 3)));
  std::memcpy(cut, packed.data(), packed.size() - 3);
  std::vector<byte> damaged = packed;
  damaged[3] ^= 0x5A;  // the first record's check value
  std::vector<byte> wrongPixels = PackPixels(std::vector<dword>(PW * PH + 1, 0xFF000000));

  struct Row {
    const char* name;
    TYPE_GrData gd;
    const char* reason;
  } rows[] = {
      {"version", {2, 0, 1, 2, packed.data(), PW * PH * 4, PW, PH}, "version 2"},
      {"format", {1, 0, 0, 2, packed.data(), PW * PH * 4, PW, PH}, "pixel format 0"},
      {"method", {1, 0, 1, 1, packed.data(), PW * PH * 4, PW, PH}, "compression method 1"},
      {"size", {1, 0, 1, 2, packed.data(), PW * PH * 4 + 4, PW, PH}, "size"},
      {"width", {1, 0, 1, 2, packed.data(), 0, 0, PH}, "empty picture"},
      {"no data", {1, 0, 1, 2, nullptr, PW * PH * 4, PW, PH}, "no pixel data"},
      {"check value", {1, 0, 1, 2, damaged.data(), PW * PH * 4, PW, PH}, "bad graphic"},
      {"truncated", {1, 0, 1, 2, cut, PW * PH * 4, PW, PH}, "bad graphic"},
      {"pixel count", {1, 0, 1, 2, wrongPixels.data(), PW * PH * 4, PW, PH}, "bad graphic"},
  };
  auto before = RegionPixels(region);
  for (const Row& c : rows) {
    stand::ClearLog();
    EXPECT_EQ(TAP_Osd_PutGd(region, 0, 0, &c.gd, false), -1) << c.name;
    EXPECT_EQ(RegionPixels(region), before) << c.name;
    EXPECT_NE(stand::Log().find(c.reason), std::string::npos) << c.name << ": " << stand::Log();
  }
  EXPECT_EQ(TAP_Osd_PutGd(region, 0, 0, nullptr, false), -1);
  EXPECT_EQ(TAP_Osd_PutGd(region + 1, 0, 0, &gd, false), -1);
  EXPECT_EQ(RegionPixels(region), before);
  TAP_MemFree(cut);
}

// The stand unpacks a picture once; other bytes at the same place are a new picture, and
// damaged ones draw nothing however often the good ones were drawn before.
TEST_F(OsdGd, PictureChangedInPlaceIsDrawnAsItIsNow) {
  const std::vector<byte> other = PackPixels(std::vector<dword>(PW * PH, 0xFF123456));
  const size_t size = std::max(packed.size(), other.size());
  auto* block = static_cast<byte*>(TAP_MemAlloc(dword(size)));
  TYPE_GrData inPlace = gd;
  inPlace.data = block;
  struct Step {
    const std::vector<byte>* bytes;
    bool damaged;
    int answer;
    dword pixel;  // at 3,0 afterwards
  } const steps[] = {{&packed, false, 0, 0xFF000003},
                     {&packed, false, 0, 0xFF000003},
                     {&other, false, 0, 0xFF123456},
                     {&other, true, -1, 0xFF000000},
                     {&packed, false, 0, 0xFF000003}};
  for (const Step& step : steps) {
    std::memcpy(block, step.bytes->data(), step.bytes->size());
    if (step.damaged) block[3] ^= 0x5A;
    TAP_Osd_FillBox(region, 0, 0, 10, 8, 0xFF000000);
    EXPECT_EQ(TAP_Osd_PutGd(region, 0, 0, &inPlace, false), step.answer);
    EXPECT_EQ(stand::RegionPixel(region, 3, 0), step.pixel);
  }
  TAP_MemFree(block);
}

}  // namespace
