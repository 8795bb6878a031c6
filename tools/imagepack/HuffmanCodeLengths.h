#ifndef SCRAPDECK_TOOLS_IMAGEPACK_HUFFMANCODELENGTHS_H
#define SCRAPDECK_TOOLS_IMAGEPACK_HUFFMANCODELENGTHS_H

#include <stdint.h>

#include <vector>

// Huffman code lengths for the symbol frequencies `freq` (0 for a symbol not used), none
// longer than `maxBits`. With two or more symbols in use the code is complete (its Kraft sum
// is exactly 1), which the table builder of a -lh5- reader insists on. Symbols not used get
// length 0; a single used symbol gets length 1. `maxBits` must leave room for the used
// symbols (2^maxBits of them at least), else the lengths come out longer.
std::vector<uint8_t> HuffmanCodeLengths(std::vector<uint32_t> freq, int maxBits);

#endif
