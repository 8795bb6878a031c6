// -lh5- compressor: LZ77 over an 8 KiB window (matches of 3 to 256 bytes) followed by static
// Huffman blocks, each block carrying its own code tables.
#ifndef SCRAPDECK_TOOLS_IMAGEPACK_LH5ENCODE_H
#define SCRAPDECK_TOOLS_IMAGEPACK_LH5ENCODE_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

// Compresses `size` bytes into one -lh5- stream. The stream carries no length: the reader
// must be told how many bytes to decompress. An empty input gives an empty stream.
std::vector<uint8_t> Lh5Encode(const uint8_t* data, size_t size);

#endif
