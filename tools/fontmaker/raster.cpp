#include "raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace fontmaker {
namespace {

// 26.6 fixed point to whole pixels.
int CeilPixels(FT_Pos v) {
  return static_cast<int>((v + 63) >> 6);
}
int RoundPixels(FT_Pos v) {
  return static_cast<int>((v + 32) >> 6);
}

bool ParseNumber(const std::string& text, uint32_t* value) {
  std::string digits = text;
  int base = 10;
  if (digits.size() > 2 && (digits.compare(0, 2, "0x") == 0 || digits.compare(0, 2, "0X") == 0 ||
                            digits.compare(0, 2, "U+") == 0 || digits.compare(0, 2, "u+") == 0)) {
    digits = digits.substr(2);
    base = 16;
  }
  if (digits.empty()) return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(digits.c_str(), &end, base);
  if (*end != '\0' || v > 0x10FFFF) return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

// Owns the FreeType library and a face for the length of one font.
class FaceHolder {
 public:
  ~FaceHolder() {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }
  bool Open(const std::string& path, int pixel_size, std::string* error) {
    if (FT_Init_FreeType(&library_) != 0) {
      *error = "FreeType does not start";
      return false;
    }
    if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
      *error = "cannot open face " + path;
      return false;
    }
    if (!FT_IS_SCALABLE(face_) || FT_Set_Pixel_Sizes(face_, 0, pixel_size) != 0) {
      *error = "face " + path + " cannot be scaled to " + std::to_string(pixel_size) + " px";
      return false;
    }
    return true;
  }
  FT_Face face() const { return face_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// One glyph as FreeType drew it: its ink box, top-down and tightly packed, the box's place
// relative to the pen and baseline, and the width the glyph will take.
struct Rendered {
  uint32_t code_point = 0;
  int width = 0;
  int left = 0;  // ink box column relative to the glyph's first column
  int top = 0;   // rows from the ink box's top row up to the baseline
  int ink_width = 0;
  int ink_rows = 0;
  std::vector<uint8_t> ink;
};

// Copies FreeType's bitmap row by row through its pitch; a negative pitch stores the rows
// bottom-up.
void CopyInk(const FT_Bitmap& bitmap, Rendered* out) {
  out->ink_width = static_cast<int>(bitmap.width);
  out->ink_rows = static_cast<int>(bitmap.rows);
  out->ink.resize(static_cast<size_t>(bitmap.width) * bitmap.rows);
  for (unsigned int r = 0; r < bitmap.rows; ++r) {
    const unsigned int stored = bitmap.pitch >= 0 ? r : bitmap.rows - 1 - r;
    const unsigned char* row =
        bitmap.buffer + static_cast<ptrdiff_t>(stored) * std::abs(bitmap.pitch);
    std::copy(row, row + bitmap.width, out->ink.begin() + static_cast<ptrdiff_t>(r) * bitmap.width);
  }
}

// Puts the ink into a glyph box of the line's height with the baseline `ascent` rows below its
// top. Ink beyond the box's sides is dropped: the pen moves by the width alone, so the next
// glyph owns those columns. Returns whether ink above or below the line box was cut.
bool PlaceInk(const Rendered& r, int ascent, Glyph* glyph) {
  bool cut = false;
  for (int row = 0; row < r.ink_rows; ++row) {
    const uint8_t* src = &r.ink[static_cast<size_t>(row) * r.ink_width];
    const int y = ascent - r.top + row;
    if (y < 0 || y >= glyph->height) {
      cut = cut || std::any_of(src, src + r.ink_width, [](uint8_t a) { return a != 0; });
      continue;
    }
    for (int c = 0; c < r.ink_width; ++c) {
      const int x = r.left + c;
      if (x >= 0 && x < glyph->width)
        glyph->coverage[static_cast<size_t>(y) * glyph->width + x] = src[c];
    }
  }
  return cut;
}

}  // namespace

bool ParseRanges(const std::string& text, std::vector<CodeRange>* ranges, std::string* error) {
  ranges->clear();
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = std::min(text.find(',', start), text.size());
    const std::string item = text.substr(start, comma - start);
    const size_t dash = item.find('-');
    CodeRange range;
    const bool ok = dash == std::string::npos
                        ? ParseNumber(item, &range.first) && ParseNumber(item, &range.last)
                        : ParseNumber(item.substr(0, dash), &range.first) &&
                              ParseNumber(item.substr(dash + 1), &range.last);
    if (!ok || range.first > range.last) {
      *error = "bad code point range \"" + item + "\"";
      return false;
    }
    ranges->push_back(range);
    start = comma + 1;
  }
  return true;
}

std::vector<CodeRange> DefaultRanges() {
  return {
      {0x0020, 0x007E},  // ASCII
      {0x00A0, 0x00FF},  // Latin-1
      {0x0100, 0x017F},  // Latin Extended-A
      {0x0300, 0x036F},  // combining diacritical marks
      {0x0370, 0x03FF},  // Greek
      {0x0400, 0x04FF},  // Cyrillic
      {0x2000, 0x206F},  // General Punctuation, with the ellipsis
      {0x20A0, 0x20CF},  // currency signs, with the euro
      {0x2116, 0x2116},  // numero sign
      {0x2122, 0x2122},  // trade mark sign
  };
}

bool IsNonAdvancingMark(uint32_t cp) {
  return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x0E34 && cp <= 0x0E3A) ||
         (cp >= 0x0E47 && cp <= 0x0E4E) || cp == 0x00A8 || cp == 0x00B4 || cp == 0x00B8 ||
         cp == 0x0384 || cp == 0x0385 || cp == 0x0E31;
}

bool MakeFont(const MakeOptions& options, Font* font, LineBox* box, std::string* error) {
  if (options.pixel_size <= 0 || options.pixel_size > 1000) {
    *error = "pixel size must be 1 to 1000";
    return false;
  }
  const bool bold_face = options.bold && !options.bold_face_path.empty();
  FaceHolder holder;
  if (!holder.Open(bold_face ? options.bold_face_path : options.face_path, options.pixel_size,
                   error)) {
    return false;
  }
  FT_Face face = holder.face();
  // A face that is bold already is not thickened again.
  const bool embolden = options.bold && !bold_face && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;

  std::set<uint32_t> code_points = {0x20};
  for (const CodeRange& r : options.ranges) {
    for (uint32_t cp = r.first; cp <= r.last; ++cp)
      code_points.insert(cp);
  }

  std::vector<Rendered> rendered;
  for (uint32_t cp : code_points) {
    const FT_UInt index = FT_Get_Char_Index(face, cp);
    if (index == 0) continue;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    if (embolden) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
    if (slot->bitmap.rows > 0 && slot->bitmap.width > 0 &&
        slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
      *error = std::string("FreeType rendered ") + name + " without 8-bit coverage";
      return false;
    }
    Rendered r;
    r.code_point = cp;
    r.width = RoundPixels(slot->advance.x);
    r.left = slot->bitmap_left;
    r.top = slot->bitmap_top;
    CopyInk(slot->bitmap, &r);
    if (IsNonAdvancingMark(cp)) {
      // The renderer centres a mark over the glyph before it, so its box is its ink alone.
      r.width = r.ink_width;
      r.left = 0;
    }
    // A glyph 0 pixels wide (a zero-width character, a blank mark) would take no room and
    // draw nothing; leaving it out gives the same text.
    if (r.width <= 0 || r.width > 0xFFFF) continue;
    rendered.push_back(std::move(r));
  }

  // The face's ascender and descender may hold only the plain letters (some faces give exactly
  // one em); the box grows to hold every advancing glyph's ink, accented capitals included.
  // Marks do not stretch the line: they sit over letters that are already in it.
  box->ascent = CeilPixels(face->size->metrics.ascender);
  box->descent = CeilPixels(-face->size->metrics.descender);
  for (const Rendered& r : rendered) {
    if (IsNonAdvancingMark(r.code_point) || r.ink_rows == 0) continue;
    box->ascent = std::max(box->ascent, r.top);
    box->descent = std::max(box->descent, r.ink_rows - r.top);
  }
  const int height = box->ascent + box->descent;
  if (height <= 0 || height > 0xFFFF) {
    *error = "face has no usable line height";
    return false;
  }

  font->glyphs.clear();
  box->cut_glyphs.clear();
  for (const Rendered& r : rendered) {
    Glyph glyph;
    glyph.code_point = r.code_point;
    glyph.width = static_cast<uint16_t>(r.width);
    glyph.height = static_cast<uint16_t>(height);
    glyph.coverage.assign(static_cast<size_t>(r.width) * height, 0);
    if (PlaceInk(r, box->ascent, &glyph)) box->cut_glyphs.push_back(r.code_point);
    font->glyphs.push_back(std::move(glyph));
  }
  return true;
}

}  // namespace fontmaker
