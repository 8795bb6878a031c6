// The composed screen as a PNG picture, for people to look at what a run showed.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "stand/osd_internal.h"
#include "stand/stand.h"

#ifdef SCRAPDECK_STAND_PNG
#include <png.h>
#endif

namespace stand {

std::string ScreenPng() {
#ifdef SCRAPDECK_STAND_PNG
  std::vector<dword> screen = osd::ComposeScreen();
  // Bytes in the picture's order (red, green, blue, alpha), whatever the machine's order.
  std::vector<png_byte> rgba;
  rgba.reserve(screen.size() * 4);
  for (dword p : screen) {
    rgba.push_back(png_byte(p >> 16));
    rgba.push_back(png_byte(p >> 8));
    rgba.push_back(png_byte(p));
    rgba.push_back(png_byte(p >> 24));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = SCREEN_WIDTH;
  image.height = SCREEN_HEIGHT;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return "";
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr))
    return "";
  bytes.resize(size);
  return bytes;
#else
  return "";
#endif
}

bool WritePng(const std::string& path) {
#ifdef SCRAPDECK_STAND_PNG
  const std::string bytes = ScreenPng();
  std::error_code ignored;
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  std::ofstream file(path, std::ios::binary);
  if (bytes.empty() || !file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) ||
      !file.flush()) {
    LogLine("cannot write " + path);
    return false;
  }
  return true;
#else
  LogLine("no PNG output in this stand: " + path + " not written");
  return false;
#endif
}

}  // namespace stand
