// Shared pieces of the fuzz targets. Each target defines LLVMFuzzerTestOneInput; the
// same source builds into a libFuzzer program (fuzz/) and into a replay test that
// runs every file of the target's corpus through it (tests/system/fuzz_replay/).
#ifndef SCRAPDECK_FUZZ_FUZZ_H
#define SCRAPDECK_FUZZ_FUZZ_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

// Separates the fields of an input ("file bytes", "key", "value"...). It is in
// every target's dictionary, so the fuzzer finds it quickly.
constexpr char kSeparator[] = "#|#";

// The input cut at the separator into exactly `count` fields; missing fields are
// empty and the last field keeps any further separators.
std::vector<std::string> Split(const uint8_t* data, size_t size, size_t count);

// Little-endian number from the first bytes of a field (0 for missing bytes).
uint32_t Number(const std::string& field, size_t offset, size_t bytes);

// Prepares the recorder before the first input and puts it back to the same state
// before every further one: the toolkit's learned state forgotten, its memory
// returned, clock and recorder stopped, log and trace emptied, and the plug-in in
// slot 0 with its current directory in /DataFiles. Costly parts (a new sandbox disk,
// the firmware objects, the screen) are made only once.
void BeginInput();

// Stops the run with a message when a property the toolkit promises does not hold:
// libFuzzer and the replay test both see the abort as a failure.
void Check(bool condition, const char* what);

// Live blocks of the host allocator.
size_t LiveBlocks();

// A C string in a heap block of exactly its bytes and `terminators` NULs, so that
// the address sanitizer reports a read of even one byte past it. The text is cut at
// its first NUL unless keepInnerNuls.
std::vector<char> Exact(const std::string& text, size_t terminators = 1,
                        bool keepInnerNuls = false);

// The input as the string routines take it, at the very end of its block. A 0x10
// selection keeps its three bytes (its table number may be 0); its second byte is 0x00
// in broadcast texts and never a terminator, so an input that stops right after the
// 0x10 gets that byte. A two-byte (0x14) text keeps its inner NULs and gets the closing
// 0x00 0x00 pair. Anything else ends at its first NUL. *bytes (when given) receives
// the number of bytes before the terminator.
std::vector<char> Encoded(const std::string& input, size_t* bytes);

}  // namespace fuzz

#endif
