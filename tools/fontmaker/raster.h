// Turns a TrueType face into UFNT glyphs through FreeType.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ufnt.h"

namespace fontmaker {

struct CodeRange {
  uint32_t first = 0;
  uint32_t last = 0;  // inclusive
};

struct MakeOptions {
  std::string face_path;
  int pixel_size = 0;  // em size in pixels
  bool bold = false;
  // Used instead of face_path when bold is asked for and this is not empty; without it the
  // regular outlines are emboldened.
  std::string bold_face_path;
  std::vector<CodeRange> ranges;
};

// Parses "0x20-0x7E,0xA0-0x17F,0x20AC": hex (0x or U+) or decimal, single values or ranges.
bool ParseRanges(const std::string& text, std::vector<CodeRange>* ranges, std::string* error);

// The ranges the standard fonts cover: Latin-1, Latin Extended-A, combining marks, Greek,
// Cyrillic, General Punctuation, currency signs and a few letterlike symbols.
std::vector<CodeRange> DefaultRanges();

// Characters the text renderer draws centred over the glyph before them without moving the pen.
// Their glyphs are cut to the ink box so that the centring sits on the ink.
bool IsNonAdvancingMark(uint32_t code_point);

// The line box of the face at the options' size: every glyph is ascent + descent rows high, with
// the baseline ascent rows below its top. Also lists the glyphs whose ink reached above or below
// the line box and was cut.
struct LineBox {
  int ascent = 0;
  int descent = 0;
  std::vector<uint32_t> cut_glyphs;
};

// Renders every code point of the ranges that the face has, in ascending order, plus U+0020.
// Characters the face lacks, and glyphs that would be 0 pixels wide, are left out.
bool MakeFont(const MakeOptions& options, Font* font, LineBox* box, std::string* error);

}  // namespace fontmaker
