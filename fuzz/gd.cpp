// Packed host graphics: the stand's reader of packed pixels and its drawing call on
// arbitrary records and descriptors, and the image packer's -lh5- compressor, whose
// output must unpack to its input again.
#include <string.h>

#include "fuzz/fuzz.h"
#include "stand/gd/DecodeCompressedGd.h"
#include "stand/stand.h"
#ifdef SCRAPDECK_FUZZ_ENCODER
#include "tools/imagepack/Lh5Encode.h"
#include "tools/imagepack/PackCompressedGd.h"
#endif

namespace {

enum : uint8_t { kDecode = 0, kDraw = 1, kRoundTrip = 2, kModes = 3 };

// Records decoded into a picture of the size the first bytes give.
void Decode(const std::string& head, const std::string& records) {
  const uint16_t width = static_cast<uint16_t>(fuzz::Number(head, 0, 2));
  const uint16_t height = static_cast<uint16_t>(fuzz::Number(head, 2, 2));
  // Mostly the size that agrees with the picture, now and then any size.
  const uint32_t expected =
      (fuzz::Number(head, 4, 1) & 1) ? fuzz::Number(head, 5, 4) : uint32_t(width) * height * 4;
  std::vector<uint8_t> block(records.begin(), records.end());
  std::vector<uint32_t> argb;
  std::string error;
  const bool decoded =
      DecodeCompressedGd(block.data(), block.size(), expected, width, height, argb, error);
  fuzz::Check(decoded ? argb.size() == size_t(width) * height && error.empty() : argb.empty(),
              "a decoded picture has its size, a refused one none");
}

// A descriptor from the input drawn into a region; its packed pixels lie in a
// block of the host allocator, so the stand knows where they end.
void Draw(const std::string& head, const std::string& records) {
  TYPE_GrData gd{};
  gd.version = static_cast<byte>(fuzz::Number(head, 0, 1) % 3);
  gd.dataFormat = static_cast<byte>(fuzz::Number(head, 1, 1) % 3);
  gd.compressMethod = static_cast<byte>(fuzz::Number(head, 2, 1) % 4);
  gd.width = static_cast<word>(fuzz::Number(head, 3, 2));
  gd.height = static_cast<word>(fuzz::Number(head, 5, 2));
  gd.size =
      (fuzz::Number(head, 7, 1) & 1) ? fuzz::Number(head, 8, 4) : dword(gd.width) * gd.height * 4;
  const int x = static_cast<int16_t>(fuzz::Number(head, 12, 2));
  const int y = static_cast<int16_t>(fuzz::Number(head, 14, 2));
  const bool sprite = fuzz::Number(head, 16, 1) & 1;
  byte* pixels = nullptr;
  if (!records.empty()) {
    pixels = static_cast<byte*>(TAP_MemAlloc(static_cast<dword>(records.size())));
    memcpy(pixels, records.data(), records.size());
  }
  gd.data = pixels;
  const word region = TAP_Osd_Create(0, 0, 64, 32, 0, 0);
  TAP_Osd_PutGd(region, x, y, &gd, sprite);
  TAP_Osd_Delete(region);
  TAP_MemFree(pixels);
}

#ifdef SCRAPDECK_FUZZ_ENCODER
void RoundTrip(const std::string& input) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(input.data());
  std::vector<uint8_t> stream = Lh5Encode(bytes, input.size());
  std::vector<uint8_t> back;
  std::string error;
  fuzz::Check(DecodeLh5(stream.data(), stream.size(), input.size(), back, error),
              "a compressed stream unpacks");
  fuzz::Check(
      back.size() == input.size() && (back.empty() || memcmp(back.data(), bytes, back.size()) == 0),
      "a compressed stream unpacks to its input");

  // The same bytes as a picture one row high, packed into records and read back.
  std::vector<uint8_t> row(bytes, bytes + input.size());
  row.resize((row.size() + 3) / 4 * 4);
  if (row.empty() || row.size() / 4 > 0xFFFF) return;
  std::vector<uint8_t> packed;
  fuzz::Check(PackCompressedGd(row.data(), row.size(), packed, error), "a picture packs");
  std::vector<uint32_t> argb;
  fuzz::Check(DecodeCompressedGd(packed.data(), packed.size(), static_cast<uint32_t>(row.size()),
                                 static_cast<uint16_t>(row.size() / 4), 1, argb, error),
              "a packed picture unpacks");
  fuzz::Check(argb.size() * 4 == row.size() && memcmp(argb.data(), row.data(), row.size()) == 0,
              "a packed picture unpacks to its pixels");
}
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // mode byte, then: descriptor fields #|# packed records (decode, draw), or bytes to
  // compress (round trip)
  if (size == 0) return 0;
  fuzz::BeginInput();
  const uint8_t mode = data[0] % kModes;
  if (mode == kRoundTrip) {
#ifdef SCRAPDECK_FUZZ_ENCODER
    RoundTrip(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
#endif
    return 0;
  }
  std::vector<std::string> f = fuzz::Split(data + 1, size - 1, 2);
  if (mode == kDecode) Decode(f[0], f[1]);
  if (mode == kDraw) Draw(f[0], f[1]);
  fuzz::Check(fuzz::LiveBlocks() == 0, "drawing keeps no memory");
  return 0;
}
