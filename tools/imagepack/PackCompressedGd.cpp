#include "tools/imagepack/PackCompressedGd.h"

#include <algorithm>

#include "tools/imagepack/GdFormat.h"
#include "tools/imagepack/Lh5Encode.h"

namespace {

void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  out[at] = static_cast<uint8_t>(value >> 8);
  out[at + 1] = static_cast<uint8_t>(value);
}

// Appends one record; `value` is V, `payload` what follows it.
bool AppendRecord(std::vector<uint8_t>& out, uint32_t value, const std::vector<uint8_t>& payload,
                  std::string& error) {
  const size_t length = gd::kGdHeaderBytes - 2 + payload.size();
  if (length > 0xFFFF) {
    error = "a record's payload of " + std::to_string(payload.size()) +
            " bytes does not fit its 16-bit length";
    return false;
  }
  const size_t at = out.size();
  out.resize(at + gd::kGdHeaderBytes);
  out.insert(out.end(), payload.begin(), payload.end());
  PutU16(out, at, static_cast<uint32_t>(length));
  PutU16(out, at + 4, gd::kGdMarker);
  PutU16(out, at + 6, value);
  PutU16(out, at + 2, gd::Crc16Arc(out.data() + at + 4, length - 2));
  return true;
}

}  // namespace

bool PackCompressedGd(const uint8_t* bytes, size_t size, std::vector<uint8_t>& packed,
                      std::string& error) {
  packed.clear();
  const size_t records = (size + gd::kGdRecordBytes - 1) / gd::kGdRecordBytes;
  if (records > 0xFFFF) {
    error = "a picture of " + std::to_string(size) + " bytes needs more than 65535 records";
    return false;
  }
  std::vector<uint8_t> count = {static_cast<uint8_t>(records >> 8), static_cast<uint8_t>(records)};
  if (!AppendRecord(packed, gd::kGdFirstRecordV, count, error)) return false;
  for (size_t done = 0; done < size; done += gd::kGdRecordBytes) {
    const size_t part = std::min<size_t>(gd::kGdRecordBytes, size - done);
    if (!AppendRecord(packed, static_cast<uint32_t>(part), Lh5Encode(bytes + done, part), error))
      return false;
  }
  return true;
}
