#include "stand/gd/DecodeCompressedGd.h"

#include <lha_decoder.h>
#include <string.h>

#include <algorithm>

#include "tools/imagepack/GdFormat.h"

namespace {

struct Record {
  uint16_t value = 0;  // V
  const uint8_t* payload = nullptr;
  size_t payloadSize = 0;
};

// Reads the record at `pos` and moves `pos` past it. `pos` never exceeds `available`.
bool ReadRecord(const uint8_t* data, size_t available, size_t& pos, Record& record,
                std::string& error) {
  const size_t left = available - pos;
  if (left < 2) {
    error = "data ends where a record's length should be, at byte " + std::to_string(pos);
    return false;
  }
  const uint16_t length = gd::ReadU16Be(data + pos);
  if (length < gd::kGdHeaderBytes - 2) {
    error = "record length " + std::to_string(length) + " at byte " + std::to_string(pos) +
            " is shorter than its header";
    return false;
  }
  if (left - 2 < length) {
    error = "record at byte " + std::to_string(pos) + " claims " + std::to_string(length) +
            " bytes but only " + std::to_string(left - 2) + " follow";
    return false;
  }
  const uint8_t* rec = data + pos;
  const uint16_t crc = gd::Crc16Arc(rec + 4, length - 2u);
  if (crc != gd::ReadU16Be(rec + 2)) {
    error = "check value of the record at byte " + std::to_string(pos) + " does not match";
    return false;
  }
  if (gd::ReadU16Be(rec + 4) != gd::kGdMarker) {
    error = "record at byte " + std::to_string(pos) + " lacks its 0xFFFF marker";
    return false;
  }
  record.value = gd::ReadU16Be(rec + 6);
  record.payload = rec + gd::kGdHeaderBytes;
  record.payloadSize = length - (gd::kGdHeaderBytes - 2);
  pos += 2u + length;
  return true;
}

struct Source {
  const uint8_t* next;
  size_t left;
};

size_t FeedDecoder(void* buf, size_t len, void* user) {
  Source* src = static_cast<Source*>(user);
  const size_t n = std::min(len, src->left);
  if (n == 0) return 0;
  memcpy(buf, src->next, n);
  src->next += n;
  src->left -= n;
  return n;
}

}  // namespace

bool DecodeLh5(const uint8_t* stream, size_t streamSize, size_t size, std::vector<uint8_t>& out,
               std::string& error) {
  char name[] = "-lh5-";
  Source src{stream, streamSize};
  LHADecoder* decoder = lha_decoder_new(lha_decoder_for_name(name), FeedDecoder, &src, size);
  if (decoder == nullptr) {
    error = "no -lh5- decoder";
    return false;
  }
  const size_t base = out.size();
  out.resize(base + size);
  size_t got = 0;
  while (got < size) {
    const size_t n = lha_decoder_read(decoder, out.data() + base + got, size - got);
    if (n == 0) break;
    got += n;
  }
  lha_decoder_free(decoder);
  if (got != size) {
    out.resize(base);
    error = "stream decompresses to " + std::to_string(got) + " bytes instead of " +
            std::to_string(size);
    return false;
  }
  return true;
}

namespace {

bool Decode(const uint8_t* data, size_t available, uint32_t expectedBytes, uint16_t width,
            uint16_t height, std::vector<uint8_t>& bytes, std::string& error) {
  if (data == nullptr) {
    error = "no data";
    return false;
  }
  if (uint64_t{width} * height * 4 != expectedBytes) {
    error = "unpacked size " + std::to_string(expectedBytes) + " is not " + std::to_string(width) +
            " x " + std::to_string(height) + " x 4";
    return false;
  }
  size_t pos = 0;
  Record first;
  if (!ReadRecord(data, available, pos, first, error)) return false;
  if (first.value != gd::kGdFirstRecordV || first.payloadSize != 2) {
    error = "first record is not a record count";
    return false;
  }
  const size_t count = gd::ReadU16Be(first.payload);
  const size_t needed = (expectedBytes + gd::kGdRecordBytes - 1) / gd::kGdRecordBytes;
  if (count != needed) {
    error = std::to_string(count) + " data records for " + std::to_string(expectedBytes) +
            " bytes, which take " + std::to_string(needed);
    return false;
  }
  for (size_t r = 1; r <= count; ++r) {
    Record record;
    if (!ReadRecord(data, available, pos, record, error)) return false;
    // Every record but the last holds a full share; the last holds the rest.
    const size_t share = std::min<size_t>(gd::kGdRecordBytes, expectedBytes - bytes.size());
    if (record.value != share) {
      error = "data record " + std::to_string(r) + " unpacks to " + std::to_string(record.value) +
              " bytes instead of " + std::to_string(share);
      return false;
    }
    if (!DecodeLh5(record.payload, record.payloadSize, share, bytes, error)) {
      error = "data record " + std::to_string(r) + ": " + error;
      return false;
    }
  }
  return true;
}

}  // namespace

bool DecodeCompressedGd(const uint8_t* data, size_t available, uint32_t expectedBytes,
                        uint16_t width, uint16_t height, std::vector<uint32_t>& argb,
                        std::string& error) {
  argb.clear();
  std::vector<uint8_t> bytes;
  if (!Decode(data, available, expectedBytes, width, height, bytes, error)) return false;
  argb.resize(bytes.size() / 4);
  for (size_t i = 0; i < argb.size(); ++i) {
    const uint8_t* p = bytes.data() + 4 * i;
    argb[i] = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
  }
  return true;
}

size_t CompressedGdLength(const uint8_t* data, size_t available) {
  if (data == nullptr) return 0;
  size_t pos = 0, records = 1;
  for (size_t r = 0; r < records; ++r) {
    if (available - pos < 2) return 0;
    const size_t length = gd::ReadU16Be(data + pos);
    if (length < gd::kGdHeaderBytes - 2 || available - pos - 2 < length) return 0;
    if (r == 0) {  // the record count, the first record's payload
      if (length < gd::kGdHeaderBytes) return 0;
      records += gd::ReadU16Be(data + pos + gd::kGdHeaderBytes);
    }
    pos += 2 + length;
  }
  return pos;
}
