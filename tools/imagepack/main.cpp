// scrapdeck-imagepack: turns a PNG picture into a C++ source file holding a host graphic, the
// descriptor `_<Name>_Gd` and its packed pixels `_<Name>_Cpm` (32-bit ARGB, compression
// method 2).
//
//   scrapdeck-imagepack --name <Name> [--header <include>] <picture.png> <output.cpp>
//
// With --header the output includes that header for TYPE_GrData (the plug-in passes
// "host/tap.h"); without it the output declares the record itself and stands alone.
#include <png.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/imagepack/PackCompressedGd.h"

namespace {

struct Picture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> bgra;  // rows from the top, each pixel blue, green, red, alpha
};

bool ReadPng(const std::string& path, Picture& picture, std::string& error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    error = image.message;
    return false;
  }
  // The pixels are stored little-endian ARGB, which in memory is blue, green, red, alpha.
  image.format = PNG_FORMAT_BGRA;
  picture.width = image.width;
  picture.height = image.height;
  picture.bgra.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.bgra.data(), 0, nullptr)) {
    error = image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

bool IsIdentifier(const std::string& name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name)
    if (!(c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
      return false;
  return true;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GdSource(const std::string& name, const std::string& header, const std::string& png,
                     const Picture& picture, const std::vector<uint8_t>& packed) {
  const std::string cpm = "_" + name + "_Cpm";
  const std::string gd = "_" + name + "_Gd";
  std::ostringstream s;
  s << "// Made by scrapdeck-imagepack from " << BaseName(png) << ". Build output: do not edit.\n";
  if (!header.empty()) {
    s << "#include \"" << header << "\"\n\n";
  } else {
    s << "#include <stdint.h>\n\n"
         "struct TYPE_GrData {\n"
         "  uint8_t version;\n  uint8_t reserved;\n  uint8_t dataFormat;\n"
         "  uint8_t compressMethod;\n  const uint8_t* data;\n  uint32_t size;\n"
         "  uint16_t width;\n  uint16_t height;\n};\n\n";
  }
  s << "extern const unsigned char " << cpm << "[];\n"
    << "extern TYPE_GrData " << gd << ";\n\n"
    << "const unsigned char " << cpm << "[" << packed.size() << "] = {";
  char hex[8];
  for (size_t i = 0; i < packed.size(); ++i) {
    std::snprintf(hex, sizeof hex, "0x%02x,", packed[i]);
    s << (i % 16 == 0 ? "\n    " : " ") << hex;
  }
  s << "\n};\n\n"
    << "TYPE_GrData " << gd << " = {1, 0, 1, 2, " << cpm << ", " << picture.bgra.size() << "u, "
    << picture.width << ", " << picture.height << "};\n";
  return s.str();
}

int Usage() {
  std::fprintf(stderr,
               "usage: scrapdeck-imagepack --name <Name> [--header <include>] <picture.png> "
               "<output.cpp>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string name;
  std::string header;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--name" || arg == "--header") && i + 1 < argc) {
      (arg == "--name" ? name : header) = argv[++i];
    } else if (arg.rfind("--", 0) == 0) {
      return Usage();
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2 || !IsIdentifier(name)) return Usage();
  const std::string& png = files[0];
  const std::string& output = files[1];

  Picture picture;
  std::string error;
  if (!ReadPng(png, picture, error)) {
    std::fprintf(stderr, "scrapdeck-imagepack: %s: %s\n", png.c_str(), error.c_str());
    return 1;
  }
  if (picture.width == 0 || picture.height == 0 || picture.width > 0xFFFF ||
      picture.height > 0xFFFF) {
    std::fprintf(stderr, "scrapdeck-imagepack: %s: %ux%u does not fit a graphic descriptor\n",
                 png.c_str(), picture.width, picture.height);
    return 1;
  }
  std::vector<uint8_t> packed;
  if (!PackCompressedGd(picture.bgra.data(), picture.bgra.size(), packed, error)) {
    std::fprintf(stderr, "scrapdeck-imagepack: %s: %s\n", png.c_str(), error.c_str());
    return 1;
  }

  // Written aside and renamed, so that a failed run never leaves a half source behind.
  const std::string temp = output + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << GdSource(name, header, png, picture, packed);
    if (!out.flush()) {
      std::fprintf(stderr, "scrapdeck-imagepack: cannot write %s\n", temp.c_str());
      std::remove(temp.c_str());
      return 1;
    }
  }
  if (std::rename(temp.c_str(), output.c_str()) != 0) {
    std::fprintf(stderr, "scrapdeck-imagepack: cannot rename %s to %s\n", temp.c_str(),
                 output.c_str());
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
