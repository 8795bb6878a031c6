#include "ufnt.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace fontmaker {
namespace {

void PutLe(std::vector<uint8_t>* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetLe(const uint8_t* p, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i)
    value = (value << 8) | p[i];
  return value;
}

}  // namespace

std::vector<uint8_t> EncodeUfnt(const Font& font) {
  std::vector<uint8_t> out = {'U', 'F', 'N', 'T'};
  PutLe(&out, static_cast<uint32_t>(font.glyphs.size()), 4);
  uint64_t offset = kUfntHeaderSize + kUfntGlyphDefSize * font.glyphs.size();
  for (const Glyph& g : font.glyphs) {
    PutLe(&out, g.code_point, 4);
    PutLe(&out, static_cast<uint32_t>(offset), 4);
    PutLe(&out, g.width, 2);
    PutLe(&out, g.height, 2);
    offset += g.coverage.size();
  }
  for (const Glyph& g : font.glyphs)
    out.insert(out.end(), g.coverage.begin(), g.coverage.end());
  return out;
}

bool DecodeUfnt(const std::vector<uint8_t>& bytes, Font* font, std::string* error) {
  const uint64_t size = bytes.size();
  if (size < kUfntHeaderSize || bytes[0] != 'U' || bytes[1] != 'F' || bytes[2] != 'N' ||
      bytes[3] != 'T') {
    *error = "not a UFNT file";
    return false;
  }
  const uint64_t count = GetLe(&bytes[4], 4);
  if (kUfntHeaderSize + count * kUfntGlyphDefSize > size) {
    *error = "glyph table of " + std::to_string(count) + " entries runs past the end of the file";
    return false;
  }
  font->glyphs.clear();
  font->glyphs.reserve(count);
  for (uint64_t i = 0; i < count; ++i) {
    const uint8_t* def = &bytes[kUfntHeaderSize + i * kUfntGlyphDefSize];
    Glyph g;
    g.code_point = GetLe(def, 4);
    const uint64_t offset = GetLe(def + 4, 4);
    g.width = static_cast<uint16_t>(GetLe(def + 8, 2));
    g.height = static_cast<uint16_t>(GetLe(def + 10, 2));
    const uint64_t length = uint64_t{g.width} * g.height;
    if (offset + length > size) {
      *error = "bitmap of glyph " + std::to_string(i) + " runs past the end of the file";
      return false;
    }
    g.coverage.assign(bytes.begin() + offset, bytes.begin() + offset + length);
    font->glyphs.push_back(std::move(g));
  }
  return true;
}

bool WriteUfnt(const std::string& path, const Font& font, std::string* error) {
  // Written beside the target and renamed over it, so a failed write never leaves a cut font
  // that a later build would take as made.
  const std::vector<uint8_t> bytes = EncodeUfnt(font);
  const std::string part = path + ".part";
  std::ofstream out(part, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out || std::rename(part.c_str(), path.c_str()) != 0) {
    std::remove(part.c_str());
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

bool ReadUfnt(const std::string& path, Font* font, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot open " + path;
    return false;
  }
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  if (!DecodeUfnt(bytes, font, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

const Glyph* FindGlyph(const Font& font, uint32_t code_point) {
  for (const Glyph& g : font.glyphs) {
    if (g.code_point == code_point) return &g;
  }
  return nullptr;
}

}  // namespace fontmaker
