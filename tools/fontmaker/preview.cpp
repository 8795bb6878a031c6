#include "preview.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace fontmaker {
namespace {

constexpr int kColumns = 16;
constexpr int kPadding = 3;
constexpr uint8_t kPaper = 255;
constexpr uint8_t kBoxTint[3] = {214, 228, 250};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool WritePreview(const Font& font, const std::string& png_path, std::string* error) {
  int cell_w = 1;
  int cell_h = 1;
  for (const Glyph& g : font.glyphs) {
    cell_w = std::max(cell_w, int{g.width});
    cell_h = std::max(cell_h, int{g.height});
  }
  cell_w += 2 * kPadding;
  cell_h += 2 * kPadding;
  const int count = static_cast<int>(font.glyphs.size());
  const int rows = std::max(1, (count + kColumns - 1) / kColumns);
  // volatile: optimised builds otherwise warn that libpng's longjmp may clobber it.
  const volatile int width = kColumns * cell_w;
  const int height = rows * cell_h;
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3, kPaper);

  for (int i = 0; i < count; ++i) {
    const Glyph& g = font.glyphs[i];
    const int x0 = (i % kColumns) * cell_w + kPadding;
    const int y0 = (i / kColumns) * cell_h + kPadding;
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        const int a = g.coverage[static_cast<size_t>(y) * g.width + x];
        uint8_t* px = &rgb[(static_cast<size_t>(y0 + y) * width + x0 + x) * 3];
        for (int c = 0; c < 3; ++c)
          px[c] = static_cast<uint8_t>(kBoxTint[c] * (255 - a) / 255);
      }
    }
  }

  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(png_path.c_str(), "wb"));
  if (!file) {
    *error = "cannot write " + png_path;
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    *error = "libpng does not start";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    *error = "libpng failed writing " + png_path;
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace fontmaker
