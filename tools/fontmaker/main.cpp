// scrapdeck-fontmaker: makes a UFNT font from a TrueType face, or draws a sheet of a font.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "preview.h"
#include "raster.h"
#include "ufnt.h"

namespace {

const char kUsage[] =
    "usage: scrapdeck-fontmaker --ttf FACE.ttf --size PX [--bold] [--bold-ttf BOLD.ttf]\n"
    "                           [--ranges LIST] [--output FONT.ufnt] [--preview SHEET.png]\n"
    "       scrapdeck-fontmaker --ufnt FONT.ufnt --preview SHEET.png\n"
    "  --size PX        em size in pixels\n"
    "  --bold           bold glyphs: from --bold-ttf when given, else emboldened outlines\n"
    "  --ranges LIST    code points, e.g. 0x20-0x7E,0xA0-0xFF,0x20AC (default: the standard set)\n"
    "  --preview PNG    also write a sheet of the font's glyphs\n"
    "  --verbose        report the line box and the glyphs cut to fit it\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "scrapdeck-fontmaker: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  fontmaker::MakeOptions options;
  options.ranges = fontmaker::DefaultRanges();
  std::string output;
  std::string preview;
  std::string input;
  std::string error;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--bold") {
      options.bold = true;
    } else if (arg == "--verbose") {
      verbose = true;
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!has_value) {
      std::fputs(kUsage, stderr);
      return Fail("missing value or unknown option " + arg);
    } else if (arg == "--ttf") {
      options.face_path = argv[++i];
    } else if (arg == "--bold-ttf") {
      options.bold_face_path = argv[++i];
    } else if (arg == "--size") {
      char* end = nullptr;
      options.pixel_size = static_cast<int>(std::strtol(argv[++i], &end, 10));
      if (*end != '\0') return Fail("bad pixel size " + std::string(argv[i]));
    } else if (arg == "--ranges") {
      if (!fontmaker::ParseRanges(argv[++i], &options.ranges, &error)) return Fail(error);
    } else if (arg == "--output" || arg == "-o") {
      output = argv[++i];
    } else if (arg == "--preview") {
      preview = argv[++i];
    } else if (arg == "--ufnt") {
      input = argv[++i];
    } else {
      std::fputs(kUsage, stderr);
      return Fail("unknown option " + arg);
    }
  }

  fontmaker::Font font;
  if (!input.empty()) {
    if (!options.face_path.empty() || !output.empty() || preview.empty()) {
      return Fail("--ufnt takes --preview and nothing else");
    }
    if (!fontmaker::ReadUfnt(input, &font, &error)) return Fail(error);
  } else {
    if (options.face_path.empty() || options.pixel_size == 0) {
      std::fputs(kUsage, stderr);
      return Fail("--ttf and --size are required");
    }
    if (output.empty() && preview.empty()) return Fail("nothing to write: give --output");
    fontmaker::LineBox box;
    if (!fontmaker::MakeFont(options, &font, &box, &error)) return Fail(error);
    if (verbose) {
      std::printf("%zu glyphs, line box %d + %d rows, %zu cut:", font.glyphs.size(), box.ascent,
                  box.descent, box.cut_glyphs.size());
      for (uint32_t cp : box.cut_glyphs)
        std::printf(" U+%04X", static_cast<unsigned>(cp));
      std::printf("\n");
    }
    if (!output.empty() && !fontmaker::WriteUfnt(output, font, &error)) return Fail(error);
  }
  if (!preview.empty() && !fontmaker::WritePreview(font, preview, &error)) return Fail(error);
  return 0;
}
