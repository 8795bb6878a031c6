// In-memory form of a UFNT font and its file encoding, as the font maker writes it and as its
// preview and tests read it back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fontmaker {

// One glyph: Width x Height coverage bytes, row after row from the top. The width is also the
// pen advance; every glyph of a font is the full line box high.
struct Glyph {
  uint32_t code_point = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  std::vector<uint8_t> coverage;
};

struct Font {
  std::vector<Glyph> glyphs;  // written in this order
};

constexpr size_t kUfntHeaderSize = 8;     // "UFNT" + glyph count
constexpr size_t kUfntGlyphDefSize = 12;  // code point, offset, width, height

// The file image: header, definition table, then the bitmaps in table order.
std::vector<uint8_t> EncodeUfnt(const Font& font);

// Reads a file image, checking the magic, that the table lies within the file and that every
// glyph's bitmap does. On failure returns false with the reason in *error.
bool DecodeUfnt(const std::vector<uint8_t>& bytes, Font* font, std::string* error);

bool WriteUfnt(const std::string& path, const Font& font, std::string* error);
bool ReadUfnt(const std::string& path, Font* font, std::string* error);

// First glyph with that code point, as the font loader finds it; null when there is none.
const Glyph* FindGlyph(const Font& font, uint32_t code_point);

}  // namespace fontmaker
