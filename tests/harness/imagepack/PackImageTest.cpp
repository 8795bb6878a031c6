// A picture packed at build time by scrapdeck_pack_image reads back pixel for pixel.
#include <gtest/gtest.h>
#include <stdint.h>

#include "stand/gd/DecodeCompressedGd.h"
#include "tests/harness/imagepack/TestGrData.h"

namespace {

TEST(PackImage, BuildTimePictureReadsBack) {
  const TYPE_GrData& gd = _TestPicture_Gd;
  EXPECT_EQ(gd.version, 1);
  EXPECT_EQ(gd.reserved, 0);
  EXPECT_EQ(gd.dataFormat, 1);
  EXPECT_EQ(gd.compressMethod, 2);
  EXPECT_EQ(gd.data, _TestPicture_Cpm);
  ASSERT_EQ(gd.width, 16);
  ASSERT_EQ(gd.height, 8);
  EXPECT_EQ(gd.size, 16u * 8u * 4u);

  std::vector<uint32_t> argb;
  std::string error;
  ASSERT_TRUE(DecodeCompressedGd(gd.data, SIZE_MAX, gd.size, gd.width, gd.height, argb, error))
      << error;
  // TestPicture.png: red 16 * x, green 32 * y, blue 0x80, the first column translucent.
  for (uint32_t y = 0; y < 8; ++y)
    for (uint32_t x = 0; x < 16; ++x) {
      const uint32_t alpha = x == 0 ? 0x40 : 0xFF;
      EXPECT_EQ(argb[y * 16 + x], alpha << 24 | (16 * x) << 16 | (32 * y) << 8 | 0x80)
          << x << "," << y;
    }
}

}  // namespace
