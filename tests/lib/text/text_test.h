// Shared helpers of the text encoding tests.
#ifndef SCRAPDECK_TESTS_LIB_TEXT_TEXT_TEST_H
#define SCRAPDECK_TESTS_LIB_TEXT_TEXT_TEST_H

#include <iconv.h>

#include <cstdint>
#include <string>
#include <vector>

// A string in a heap block of exactly its bytes plus the terminator, so that the
// address sanitizer reports a read of even one byte beyond it.
inline std::vector<char> Exact(const std::string& bytes) {
  std::vector<char> block(bytes.size() + 1);
  bytes.copy(block.data(), bytes.size());
  block[bytes.size()] = 0;
  block.shrink_to_fit();
  return block;
}

inline std::string Str(const char* text) {
  return text ? std::string(text) : std::string("<null>");
}

// The C library's own converter from a charset to code points. Under an
// emulator the converter modules may be missing; ok() is then false.
class CharsetDecoder {
 public:
  explicit CharsetDecoder(const char* charset) : cd_(iconv_open("UCS-4BE", charset)) {}
  ~CharsetDecoder() {
    if (ok()) iconv_close(cd_);
  }
  CharsetDecoder(const CharsetDecoder&) = delete;
  CharsetDecoder& operator=(const CharsetDecoder&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Code points of the bytes, empty when the charset has no mapping for them.
  std::vector<uint32_t> Decode(const std::string& bytes) {
    std::vector<uint32_t> result;
    std::string in = bytes;
    char out[64];
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft) {
      return result;
    }
    const auto* u = reinterpret_cast<const unsigned char*>(out);
    for (size_t i = 0; i + 4 <= sizeof out - outLeft; i += 4) {
      result.push_back(uint32_t(u[i]) << 24 | uint32_t(u[i + 1]) << 16 | uint32_t(u[i + 2]) << 8 |
                       u[i + 3]);
    }
    return result;
  }

 private:
  iconv_t cd_;
};

#endif
