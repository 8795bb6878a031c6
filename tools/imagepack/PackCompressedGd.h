// Packs raw pixel bytes into the record sequence of compression method 2 (see GdFormat.h).
#ifndef SCRAPDECK_TOOLS_IMAGEPACK_PACKCOMPRESSEDGD_H
#define SCRAPDECK_TOOLS_IMAGEPACK_PACKCOMPRESSEDGD_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Fills `packed` with the records for `size` bytes. Fails (false, with a reason in `error`)
// when the picture needs more records than the first record can count or a record's
// compressed payload does not fit its 16-bit length.
bool PackCompressedGd(const uint8_t* bytes, size_t size, std::vector<uint8_t>& packed,
                      std::string& error);

#endif
