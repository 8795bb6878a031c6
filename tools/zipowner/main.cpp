// scrapdeck-zipowner: gives every entry of a zip archive the owner root.
//
//   scrapdeck-zipowner FILE.zip
//
// The archiver records the owner of each packed file (the extra field "ux": uid and
// gid) as it finds it on the build machine, so the same package built by two users
// would differ in those bytes. This rewrites them to 0 in place, in the local and the
// central headers; nothing else changes, and no checksum of the archive covers them.
// Exits 1 when the file is no zip archive this tool understands.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

uint32_t Get(const std::string& b, size_t at, int width) {
  uint32_t v = 0;
  for (int i = 0; i < width; ++i)
    v |= uint32_t{static_cast<uint8_t>(b.at(at + i))} << (8 * i);
  return v;
}

// Zeroes the owner in the extra fields at [at, at + size).
void ClearOwners(std::string& b, size_t at, size_t size) {
  size_t end = at + size;
  if (end > b.size()) throw std::out_of_range("extra field past the end");
  while (at + 4 <= end) {
    uint32_t id = Get(b, at, 2), length = Get(b, at + 2, 2);
    size_t data = at + 4;
    if (data + length > end) throw std::out_of_range("extra field past its block");
    if (id == 0x7875 && length >= 1 && b[data] == 1) {
      // version 1, then uid and gid, each as a size byte and that many bytes
      size_t p = data + 1;
      for (int id_kind = 0; id_kind < 2 && p < data + length; ++id_kind) {
        size_t n = static_cast<uint8_t>(b[p++]);
        if (p + n > data + length) throw std::out_of_range("owner past its field");
        for (size_t i = 0; i < n; ++i)
          b[p + i] = '\0';
        p += n;
      }
    }
    at = data + length;
  }
}

void Rewrite(std::string& b) {
  // The end record, without an archive comment: the last 22 bytes.
  if (b.size() < 22 || Get(b, b.size() - 22, 4) != 0x06054b50)
    throw std::out_of_range("no end record");
  size_t end = b.size() - 22;
  uint32_t entries = Get(b, end + 10, 2), at = Get(b, end + 16, 4);
  for (uint32_t i = 0; i < entries; ++i) {
    if (Get(b, at, 4) != 0x02014b50) throw std::out_of_range("no central header");
    uint32_t name = Get(b, at + 28, 2), extra = Get(b, at + 30, 2), comment = Get(b, at + 32, 2);
    uint32_t local = Get(b, at + 42, 4);
    ClearOwners(b, at + 46 + name, extra);
    if (Get(b, local, 4) != 0x04034b50) throw std::out_of_range("no local header");
    ClearOwners(b, local + 30 + Get(b, local + 26, 2), Get(b, local + 28, 2));
    at += 46 + name + extra + comment;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: scrapdeck-zipowner FILE.zip\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  try {
    Rewrite(bytes);
  } catch (const std::out_of_range& e) {
    std::fprintf(stderr, "scrapdeck-zipowner: %s: %s\n", argv[1], e.what());
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  return out ? 0 : 1;
}
