// A PNG sheet of a font's glyphs, for checking a font by eye.
#pragma once

#include <string>

#include "ufnt.h"

namespace fontmaker {

// Sixteen glyphs per row, each in a cell that shows the glyph's box (its width and the line
// height) in a light tint and its coverage in black.
bool WritePreview(const Font& font, const std::string& png_path, std::string* error);

}  // namespace fontmaker
