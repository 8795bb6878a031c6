// The stand's reader of packed host graphics (compression method 2, see
// tools/imagepack/GdFormat.h): the records are checked and each data record's -lh5- stream is
// decompressed on its own.
#ifndef SCRAPDECK_STAND_GD_DECODECOMPRESSEDGD_H
#define SCRAPDECK_STAND_GD_DECODECOMPRESSEDGD_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Decodes the records at `data` into width x height ARGB pixels, rows from the top.
// `available` is the number of readable bytes at `data` (SIZE_MAX when the caller cannot tell,
// as with a graphic compiled into a plug-in); nothing beyond it is read. `expectedBytes` is
// the descriptor's unpacked size and must equal width * height * 4.
// The descriptor's version, pixel format and compression method are the caller's to check.
// On any fault (check value, record length, truncation, record count or sizes that disagree)
// returns false with the reason in `error` and `argb` empty.
bool DecodeCompressedGd(const uint8_t* data, size_t available, uint32_t expectedBytes,
                        uint16_t width, uint16_t height, std::vector<uint32_t>& argb,
                        std::string& error);

// The number of bytes the records at `data` take, by their lengths and the record count
// alone (no check values, nothing unpacked); 0 when they do not fit in `available`.
size_t CompressedGdLength(const uint8_t* data, size_t available);

// Decompresses the -lh5- stream of `streamSize` bytes at `stream` to exactly `size` bytes,
// appended to `out`. Reads no byte past the stream. False, with the reason in `error`, when the
// stream yields fewer bytes.
bool DecodeLh5(const uint8_t* stream, size_t streamSize, size_t size, std::vector<uint8_t>& out,
               std::string& error);

#endif
