#include "tools/pictures/Picture.h"

#include <png.h>

#include <algorithm>

namespace pictures {

void Picture::Fill(uint32_t x, uint32_t y, uint32_t w, uint32_t h, uint32_t argb) {
  const uint32_t right = std::min(width, x + w), bottom = std::min(height, y + h);
  for (uint32_t py = y; py < bottom; ++py)
    for (uint32_t px = x; px < right; ++px)
      At(px, py) = argb;
}

bool WritePng(const Picture& picture, const std::string& path, std::string& error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = picture.width;
  image.height = picture.height;
  // ARGB words held low byte first are blue, green, red, alpha in memory.
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint8_t> bytes(picture.pixels.size() * 4);
  for (size_t i = 0; i < picture.pixels.size(); ++i)
    for (int b = 0; b < 4; ++b)
      bytes[i * 4 + b] = uint8_t(picture.pixels[i] >> (8 * b));
  if (!png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr)) {
    error = image.message;
    return false;
  }
  return true;
}

}  // namespace pictures
