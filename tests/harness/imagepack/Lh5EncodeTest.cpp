// The packer's compressor and record writer, read back with the stand's reader (liblhasa).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "stand/gd/DecodeCompressedGd.h"
#include "tools/imagepack/GdFormat.h"
#include "tools/imagepack/HuffmanCodeLengths.h"
#include "tools/imagepack/Lh5Encode.h"
#include "tools/imagepack/PackCompressedGd.h"

namespace {

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out(n);
  for (uint8_t& b : out)
    b = static_cast<uint8_t>(rng());
  return out;
}

// Copies of earlier stretches at every distance up to past the window, lengths up to past the
// longest match, with literals between: the matcher's limits all get touched.
std::vector<uint8_t> Echoes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out;
  while (out.size() < n) {
    if (out.size() < 16 || rng() % 4 == 0) {
      out.push_back(static_cast<uint8_t>(rng() % 7));
      continue;
    }
    const size_t distance = 1 + rng() % std::min<size_t>(out.size(), 9000);
    const size_t length = 1 + rng() % 300;
    for (size_t k = 0; k < length && out.size() < n; ++k)
      out.push_back(out[out.size() - distance]);
  }
  return out;
}

// Byte k occurs fib(k) times, shuffled: a steeply skewed spread of literals.
std::vector<uint8_t> SkewedBytes(uint32_t seed) {
  std::vector<uint8_t> out;
  size_t a = 1, b = 1;
  for (uint8_t k = 0; k < 24; ++k) {
    out.insert(out.end(), a, k);
    const size_t next = a + b;
    a = b;
    b = next;
  }
  std::shuffle(out.begin(), out.end(), std::mt19937(seed));
  return out;
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& stream, size_t size) {
  std::vector<uint8_t> out;
  std::string error;
  EXPECT_TRUE(DecodeLh5(stream.data(), stream.size(), size, out, error)) << error;
  return out;
}

TEST(Lh5Encode, DecodesToTheInput) {
  struct Row {
    const char* name;
    std::vector<uint8_t> data;
  };
  const Row rows[] = {
      {"empty", {}},
      {"one byte", {0x41}},
      {"two bytes", {0x41, 0x41}},
      {"three equal bytes", {0x41, 0x41, 0x41}},
      {"three bytes", {1, 2, 3}},
      {"random 1000", RandomBytes(1000, 1)},
      {"random 150000 (several blocks)", RandomBytes(150000, 2)},
      {"all equal 100000", std::vector<uint8_t>(100000, 0x28)},
      {"all zero 65536", std::vector<uint8_t>(65536, 0)},
      {"echoes 200000", Echoes(200000, 3)},
      {"skewed byte counts", SkewedBytes(5)},
  };
  for (const Row& row : rows) {
    const std::vector<uint8_t> packed = Lh5Encode(row.data.data(), row.data.size());
    EXPECT_EQ(Unpack(packed, row.data.size()), row.data) << row.name;
    // Incompressible input may grow only a little, or a record would overflow its length.
    EXPECT_LE(packed.size(), row.data.size() + row.data.size() / 32 + 64) << row.name;
  }
}

TEST(Lh5Encode, RepeatedBytesShrink) {
  const std::vector<uint8_t> flat(gd::kGdRecordBytes, 0x46);
  EXPECT_LT(Lh5Encode(flat.data(), flat.size()).size(), 200u);
  const std::vector<uint8_t> echoes = Echoes(gd::kGdRecordBytes, 4);
  EXPECT_LT(Lh5Encode(echoes.data(), echoes.size()).size(), echoes.size() / 2);
}

std::vector<uint32_t> Fibonacci(size_t n) {
  std::vector<uint32_t> f = {1, 1};
  while (f.size() < n)
    f.push_back(f[f.size() - 1] + f[f.size() - 2]);
  f.resize(n);
  return f;
}

TEST(HuffmanCodeLengths, CompleteAndWithinTheLimit) {
  struct Row {
    const char* name;
    std::vector<uint32_t> freq;
    int maxBits;
    int exactDeepest;  // 0: only "within the limit"
  };
  std::vector<uint32_t> sparse(510, 0);
  sparse[7] = 5;
  sparse[500] = 1;
  const Row rows[] = {
      {"Fibonacci, limited", Fibonacci(30), 16, 0},
      {"Fibonacci, free", Fibonacci(30), 31, 29},
      {"uniform 510", std::vector<uint32_t>(510, 3), 16, 9},
      {"two used among zeros", sparse, 16, 1},
      {"Fibonacci 19, limited", Fibonacci(19), 16, 0},
  };
  for (const Row& row : rows) {
    const std::vector<uint8_t> len = HuffmanCodeLengths(row.freq, row.maxBits);
    ASSERT_EQ(len.size(), row.freq.size()) << row.name;
    uint64_t kraft = 0;  // in units of 2^-32
    int deepest = 0;
    for (size_t s = 0; s < len.size(); ++s) {
      EXPECT_EQ(len[s] == 0, row.freq[s] == 0) << row.name << " symbol " << s;
      if (len[s] > 0) kraft += uint64_t{1} << (32 - len[s]);
      deepest = std::max(deepest, int{len[s]});
    }
    EXPECT_EQ(kraft, uint64_t{1} << 32) << row.name;
    EXPECT_LE(deepest, row.maxBits) << row.name;
    if (row.exactDeepest > 0) {
      EXPECT_EQ(deepest, row.exactDeepest) << row.name;
    }
  }
}

size_t RecordCount(const std::vector<uint8_t>& packed) {
  return gd::ReadU16Be(packed.data() + 8);
}

TEST(PackCompressedGd, EveryRecordBoundaryReadsBack) {
  // One row of pixels, so that the byte count lands on each side of a record boundary.
  const uint16_t widths[] = {1, 8189, 8190, 8191, 16379, 16380, 16381, 24571};
  for (uint16_t width : widths) {
    const std::vector<uint8_t> bytes = RandomBytes(width * 4u, width);
    std::vector<uint8_t> packed;
    std::string error;
    ASSERT_TRUE(PackCompressedGd(bytes.data(), bytes.size(), packed, error)) << error;
    EXPECT_EQ(RecordCount(packed), (bytes.size() + gd::kGdRecordBytes - 1) / gd::kGdRecordBytes);
    std::vector<uint32_t> argb;
    ASSERT_TRUE(DecodeCompressedGd(packed.data(), packed.size(),
                                   static_cast<uint32_t>(bytes.size()), width, 1, argb, error))
        << width << ": " << error;
    ASSERT_EQ(argb.size(), width);
    for (size_t i = 0; i < argb.size(); ++i) {
      const uint8_t* p = &bytes[4 * i];
      ASSERT_EQ(argb[i], uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0])
          << width << " pixel " << i;
    }
  }
}

TEST(PackCompressedGd, FlatPanelPacksIntoAFewKilobytes) {
  // The message box panel: frame, title band, separator and body in flat colours.
  const uint16_t w = 380, h = 190;
  std::vector<uint32_t> pixels(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = 0xFF282828;
      if (x < 2 || x >= w - 2 || y < 2 || y >= h - 2 || y == 34 || y == 35) {
        c = 0xFF464646;
      } else if (y < 34) {
        c = 0xFF202020;
      }
      pixels[y * w + x] = c;
    }
  std::vector<uint8_t> bytes;
  for (uint32_t c : pixels)
    for (int k = 0; k < 4; ++k)
      bytes.push_back(static_cast<uint8_t>(c >> (8 * k)));
  std::vector<uint8_t> packed;
  std::string error;
  ASSERT_TRUE(PackCompressedGd(bytes.data(), bytes.size(), packed, error)) << error;
  EXPECT_EQ(RecordCount(packed), 9u);
  EXPECT_LT(packed.size(), 4096u);
  RecordProperty("packed_bytes", static_cast<int>(packed.size()));
  std::vector<uint32_t> argb;
  ASSERT_TRUE(DecodeCompressedGd(packed.data(), packed.size(), w * h * 4, w, h, argb, error))
      << error;
  EXPECT_EQ(argb, pixels);
}

}  // namespace
