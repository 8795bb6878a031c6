// Packed host graphics (compression method 2): the record layout shared by the image packer
// and the stand's decoder, and the record check value.
//
// The packed pixels are a sequence of records, every 16-bit field big-endian:
//   u16 L        bytes that follow in this record
//   u16 check    CRC-16/ARC of the L - 2 bytes after it
//   u16 0xFFFF
//   u16 V        first record: 1; data record: bytes it decompresses to
//   L - 6 bytes  first record: u16 number of data records; data record: -lh5- stream
// Each data record decompresses on its own to kGdRecordBytes, the last one to the rest.
#ifndef SCRAPDECK_TOOLS_IMAGEPACK_GDFORMAT_H
#define SCRAPDECK_TOOLS_IMAGEPACK_GDFORMAT_H

#include <stddef.h>
#include <stdint.h>

namespace gd {

constexpr uint32_t kGdRecordBytes = 32760;  // decompressed bytes of every data record but the last
constexpr uint16_t kGdMarker = 0xFFFF;
constexpr size_t kGdHeaderBytes = 8;  // L, check, marker, V
constexpr uint16_t kGdFirstRecordV = 1;

// CRC-16/ARC: reflected polynomial 0x8005, start value 0, no final xor. Pass the previous
// result as `crc` to continue over a further piece.
inline uint16_t Crc16Arc(const uint8_t* data, size_t size, uint16_t crc = 0) {
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

inline uint16_t ReadU16Be(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

}  // namespace gd

#endif
