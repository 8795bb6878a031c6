// What the benchmark programs share: where the build put its artefacts, the
// standard fonts on the recorder's disk, the sample texts and the line of text
// the font figures draw.
#ifndef SCRAPDECK_BENCH_SUPPORT_H
#define SCRAPDECK_BENCH_SUPPORT_H

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "lib/font/font.h"
#include "stand/stand.h"

namespace bench {

// A 34-character line, the widest the prompt's wrapping makes.
inline const char kLine[] = "Recording stopped: Film (2026) 1/2";
static_assert(sizeof kLine - 1 == 34, "a 34-character line");

// The build's top folder: the programs lie in its bin/.
inline std::filesystem::path BuildDir() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
}

inline std::string ReadHostFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Copies a font the build made into the recorder's font folder.
inline bool InstallFont(const char* name) {
  const std::filesystem::path file = BuildDir() / "data" / "fonts" / name;
  std::string bytes = ReadHostFile(file);
  if (bytes.empty()) {
    std::fprintf(stderr, "bench: %s is missing; build the fonts first\n", file.c_str());
    return false;
  }
  stand::WriteFile(std::string(FMUC_FONT_FOLDER) + name, bytes);
  return true;
}

inline bool InstallStandardFonts() {
  const std::string missing = stand::InstallStandardFonts();
  if (!missing.empty())
    std::fprintf(stderr, "bench: %s is missing; build the fonts first\n", missing.c_str());
  return missing.empty();
}

// Sample texts of 1 KiB for the conversion to UTF-8.
enum : size_t { kTextBytes = 1024 };

// Repeats a sample up to exactly kTextBytes bytes of text after the prefix,
// cutting only between units of unitBytes.
inline std::string Fill(const std::string& prefix, const std::string& sample, size_t unitBytes) {
  std::string text;
  while (text.size() + unitBytes <= kTextBytes)
    text += sample.substr(text.size() % sample.size(), unitBytes);
  return prefix + text;
}

// Turkish text: mostly ASCII with a Latin-5 letter every few bytes.
inline std::string Latin5Text() {
  return Fill("", "G\xFCne\xFEli g\xFCnler, \xDDstanbul'da ya\xF0mur ya\xF0\xFDyor. ", 1);
}

// Already UTF-8: passes through; two-byte letters mixed with ASCII.
inline std::string Utf8Text() {
  return Fill("",
              "Gr\xC3\xBC\xC3\x9F"
              "e aus K\xC3\xB6ln, caf\xC3\xA9 cr\xC3\xA8me. ",
              1);
}

// A 0x14 selection, 512 Big5 pairs and the closing 0x00 0x00 pair.
inline std::string Big5Text() {
  std::string pairs;
  for (int i = 0; i < 64; i++) {
    pairs += char(0xA4 + i % 30);
    pairs += char(0x40 + i % 60);
  }
  return Fill("\x14", pairs, 2) + std::string(2, '\0');
}

}  // namespace bench

#endif
