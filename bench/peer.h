// The peer of the anti-aliased text figures: a renderer without a glyph cache.
// Every call rasterises each glyph with FreeType (Carlito Regular at 14 pixels)
// and blends its coverage into an ARGB pixel buffer, as the plug-in's renderer
// blends into the box it saved from the screen.
#ifndef SCRAPDECK_BENCH_PEER_H
#define SCRAPDECK_BENCH_PEER_H

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>

namespace bench {

inline const char kPeerFace[] = "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf";

class FreeTypePeer {
 public:
  FreeTypePeer() = default;
  FreeTypePeer(const FreeTypePeer&) = delete;
  FreeTypePeer& operator=(const FreeTypePeer&) = delete;
  ~FreeTypePeer() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
  }

  bool Open(unsigned pixels) {
    return FT_Init_FreeType(&library_) == 0 && FT_New_Face(library_, kPeerFace, 0, &face_) == 0 &&
           FT_Set_Pixel_Sizes(face_, 0, pixels) == 0;
  }

  // Draws an ASCII text into pixels (width x height) with its top at row y. Returns
  // the number of covered pixels drawn.
  int Draw(uint32_t* pixels, int width, int height, int x, int y, const char* text, uint32_t fore) {
    const int baseline = y + int(face_->size->metrics.ascender >> 6);
    int pen = x;
    int covered = 0;
    for (const char* p = text; *p; ++p) {
      if (FT_Load_Char(face_, FT_ULong(static_cast<unsigned char>(*p)), FT_LOAD_RENDER)) continue;
      const FT_GlyphSlot slot = face_->glyph;
      const FT_Bitmap& bitmap = slot->bitmap;
      const int left = pen + slot->bitmap_left;
      const int top = baseline - slot->bitmap_top;
      for (int row = 0; row < int(bitmap.rows); ++row) {
        const int py = top + row;
        if (py < 0 || py >= height) continue;
        const unsigned char* coverage = bitmap.buffer + row * bitmap.pitch;
        for (int column = 0; column < int(bitmap.width); ++column) {
          const int px = left + column;
          const unsigned a = coverage[column];
          if (a == 0 || px < 0 || px >= width) continue;
          uint32_t& pixel = pixels[py * width + px];
          pixel = Blend(a, fore, pixel);
          ++covered;
        }
      }
      pen += int(slot->advance.x >> 6);
    }
    return covered;
  }

 private:
  static uint32_t Blend(unsigned a, uint32_t fore, uint32_t back) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const unsigned f = (fore >> shift) & 0xFF, b = (back >> shift) & 0xFF;
      out |= ((f * a + b * (255 - a)) / 255) << shift;
    }
    return out;
  }

  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

}  // namespace bench

#endif
