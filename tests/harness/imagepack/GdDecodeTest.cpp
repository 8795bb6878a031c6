// The stand's reader of packed host graphics: the record check value, a committed two-record
// picture, and every kind of damage the reader must refuse without reading past its data.
#include <gtest/gtest.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "stand/gd/DecodeCompressedGd.h"
#include "tools/imagepack/GdFormat.h"

namespace {

TEST(Crc16Arc, KnownValues) {
  struct Row {
    std::string text;
    uint16_t crc;
  };
  const Row rows[] = {{"", 0x0000}, {"123456789", 0xBB3D}, {"A", 0x30C0}};
  for (const Row& row : rows) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(row.text.data());
    EXPECT_EQ(gd::Crc16Arc(p, row.text.size()), row.crc) << row.text;
  }
  const uint8_t* digits = reinterpret_cast<const uint8_t*>("123456789");
  EXPECT_EQ(gd::Crc16Arc(digits + 4, 5, gd::Crc16Arc(digits, 4)), 0xBB3D) << "continued";
}

// 100 x 100 pixels in two data records (32,760 and 7,240 bytes), packed by scrapdeck-imagepack:
// the first eight pixels of row 0 a gradient, rows 0 to 49 otherwise 0xFF202020, the rest
// 0xFF282828.
const std::vector<uint8_t> kPicture = {
    0x00, 0x08, 0x1a, 0xd0, 0xff, 0xff, 0x00, 0x01, 0x00, 0x02, 0x00, 0x57, 0xc9, 0x81, 0xff,
    0xff, 0x7f, 0xf8, 0x00, 0xa6, 0x53, 0x8c, 0xa2, 0x88, 0x67, 0xf9, 0xce, 0x04, 0x44, 0x67,
    0x6e, 0x26, 0xd5, 0xd8, 0x0f, 0xd5, 0xf2, 0x84, 0xd2, 0x78, 0x0a, 0x59, 0x64, 0xf3, 0xf5,
    0xb3, 0xbb, 0x6e, 0x9d, 0x7f, 0xc2, 0x73, 0x76, 0x53, 0x8b, 0xf3, 0x9b, 0xe1, 0xa4, 0xdb,
    0x1d, 0x65, 0x29, 0x45, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55,
    0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x57, 0xed, 0x6b, 0x55, 0x55, 0x55, 0x55, 0x55,
    0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x57, 0xd8, 0x00, 0x1d, 0x52, 0x20, 0xff, 0xff,
    0x1c, 0x48, 0x00, 0x21, 0x30, 0x04, 0x6d, 0x7f, 0x81, 0x4e, 0x61, 0x41, 0x6c, 0x53, 0xe0,
    0x2a, 0xb2, 0xaa, 0xaa, 0xaa, 0xaa, 0xaa, 0xaa, 0xaf, 0x80,
};
constexpr uint16_t kSide = 100;
constexpr uint32_t kBytes = kSide * kSide * 4;
constexpr size_t kRecord1 = 10;  // offsets of the data records in kPicture
constexpr size_t kRecord2 = 99;

uint32_t ExpectedPixel(uint32_t x, uint32_t y) {
  if (y == 0 && x < 8) return 0xFF000000u | (2 * x) << 16 | x << 8 | (255 - x);
  return y < 50 ? 0xFF202020u : 0xFF282828u;
}

void PutU16(std::vector<uint8_t>& data, size_t at, uint16_t value) {
  data[at] = static_cast<uint8_t>(value >> 8);
  data[at + 1] = static_cast<uint8_t>(value);
}

// Recomputes a record's check value after a change, so that the change itself is what the
// reader meets.
void Reseal(std::vector<uint8_t>& data, size_t record) {
  const uint16_t length = gd::ReadU16Be(&data[record]);
  PutU16(data, record + 2, gd::Crc16Arc(&data[record + 4], length - 2u));
}

TEST(DecodeCompressedGd, CommittedPictureReadsBack) {
  // SIZE_MAX: a graphic compiled into a plug-in has no known end.
  for (size_t available : {kPicture.size(), SIZE_MAX}) {
    std::vector<uint32_t> argb;
    std::string error;
    ASSERT_TRUE(DecodeCompressedGd(kPicture.data(), available, kBytes, kSide, kSide, argb, error))
        << error;
    ASSERT_EQ(argb.size(), size_t{kSide} * kSide);
    for (uint32_t y = 0; y < kSide; ++y)
      for (uint32_t x = 0; x < kSide; ++x)
        ASSERT_EQ(argb[y * kSide + x], ExpectedPixel(x, y)) << x << "," << y;
  }
}

TEST(DecodeCompressedGd, RefusesDamagedData) {
  struct Row {
    const char* name;
    void (*damage)(std::vector<uint8_t>&);
    const char* reason;  // part of the expected error text
  };
  const Row rows[] = {
      {"payload byte changed", [](std::vector<uint8_t>& d) { d[kRecord1 + 20] ^= 0x10; },
       "check value"},
      {"check value changed", [](std::vector<uint8_t>& d) { d[kRecord2 + 3] ^= 0x01; },
       "check value"},
      {"marker changed",
       [](std::vector<uint8_t>& d) {
         PutU16(d, kRecord1 + 4, 0xFFFE);
         Reseal(d, kRecord1);
       },
       "marker"},
      {"first record not a count",
       [](std::vector<uint8_t>& d) {
         PutU16(d, 6, 2);
         Reseal(d, 0);
       },
       "record count"},
      {"one record too few",
       [](std::vector<uint8_t>& d) {
         PutU16(d, 8, 1);
         Reseal(d, 0);
       },
       "data records"},
      {"one record too many",
       [](std::vector<uint8_t>& d) {
         PutU16(d, 8, 3);
         Reseal(d, 0);
       },
       "data records"},
      {"no data records",
       [](std::vector<uint8_t>& d) {
         PutU16(d, 8, 0);
         Reseal(d, 0);
       },
       "data records"},
      {"record shorter than its header", [](std::vector<uint8_t>& d) { PutU16(d, kRecord2, 5); },
       "shorter than its header"},
      {"record longer than the data",
       [](std::vector<uint8_t>& d) { PutU16(d, kRecord2, gd::ReadU16Be(&d[kRecord2]) + 1); },
       "only"},
      {"full record unpacks to less",
       [](std::vector<uint8_t>& d) {
         PutU16(d, kRecord1 + 6, gd::kGdRecordBytes - 4);
         Reseal(d, kRecord1);
       },
       "unpacks to"},
      {"last record claims more",
       [](std::vector<uint8_t>& d) {
         PutU16(d, kRecord2 + 6, gd::ReadU16Be(&d[kRecord2 + 6]) + 4);
         Reseal(d, kRecord2);
       },
       "unpacks to"},
      {"stream cut short",
       [](std::vector<uint8_t>& d) {
         d.resize(kRecord2 + 12);
         PutU16(d, kRecord2, 10);
         Reseal(d, kRecord2);
       },
       "decompresses to"},
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> data = kPicture;
    row.damage(data);
    std::vector<uint32_t> argb = {1};
    std::string error;
    EXPECT_FALSE(DecodeCompressedGd(data.data(), data.size(), kBytes, kSide, kSide, argb, error))
        << row.name;
    EXPECT_NE(error.find(row.reason), std::string::npos) << row.name << ": " << error;
    EXPECT_TRUE(argb.empty()) << row.name;
  }
}

TEST(DecodeCompressedGd, RefusesSizesThatDisagree) {
  struct Row {
    const char* name;
    uint32_t bytes;
    uint16_t width;
    uint16_t height;
  };
  const Row rows[] = {
      {"unpacked size not width x height x 4", kBytes - 4, kSide, kSide},
      {"picture narrower than its records", kBytes - 400, kSide - 1, kSide},
      {"picture larger than its records", kBytes + 400, kSide + 1, kSide},
      {"empty picture", 0, 0, 0},
  };
  for (const Row& row : rows) {
    std::vector<uint32_t> argb;
    std::string error;
    EXPECT_FALSE(DecodeCompressedGd(kPicture.data(), kPicture.size(), row.bytes, row.width,
                                    row.height, argb, error))
        << row.name;
    EXPECT_FALSE(error.empty()) << row.name;
  }
  std::vector<uint32_t> argb;
  std::string error;
  EXPECT_FALSE(DecodeCompressedGd(nullptr, SIZE_MAX, kBytes, kSide, kSide, argb, error));
}

TEST(DecodeCompressedGd, RefusesEveryTruncation) {
  // Each prefix sits in a block of exactly its size, so a read past it is a heap overflow
  // that the sanitizer build reports.
  for (size_t n = 0; n < kPicture.size(); ++n) {
    std::vector<uint8_t> prefix(kPicture.begin(), kPicture.begin() + n);
    std::vector<uint32_t> argb;
    std::string error;
    EXPECT_FALSE(DecodeCompressedGd(prefix.data(), n, kBytes, kSide, kSide, argb, error)) << n;
  }
}

}  // namespace
