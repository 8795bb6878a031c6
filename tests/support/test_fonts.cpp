#include "tests/support/test_fonts.h"

#include <filesystem>
#include <fstream>
#include <iterator>

TestGlyph RowGlyph(uint32_t codePoint, uint16_t width, uint16_t height, uint8_t coverage,
                   const std::vector<int>& coveredRows) {
  TestGlyph g{codePoint, width, height, std::vector<uint8_t>(size_t{width} * height, 0)};
  for (int r : coveredRows) {
    for (int c = 0; c < width; ++c)
      g.coverage[size_t(r) * width + c] = coverage;
  }
  return g;
}

namespace {
void PutLe(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<char>(value >> (8 * i)));
}
}  // namespace

std::string MakeUfnt(const std::vector<TestGlyph>& glyphs) {
  std::string out = "UFNT";
  PutLe(out, static_cast<uint32_t>(glyphs.size()), 4);
  uint32_t offset = static_cast<uint32_t>(8 + 12 * glyphs.size());
  for (const TestGlyph& g : glyphs) {
    PutLe(out, g.codePoint, 4);
    PutLe(out, offset, 4);
    PutLe(out, g.width, 2);
    PutLe(out, g.height, 2);
    offset += static_cast<uint32_t>(g.coverage.size());
  }
  for (const TestGlyph& g : glyphs)
    out.append(g.coverage.begin(), g.coverage.end());
  return out;
}

void InstallFont(const std::string& name, const std::string& bytes) {
  stand::WriteFile(std::string(FMUC_FONT_FOLDER) + name, bytes);
}

void InstallStandardFont(const std::string& name) {
  std::ifstream in(std::string(SCRAPDECK_DATA_DIR) + "/fonts/" + name, std::ios::binary);
  ASSERT_TRUE(in) << name << " was not made by the build";
  InstallFont(name, std::string(std::istreambuf_iterator<char>(in), {}));
}

std::vector<TestGlyph> TenPixelGlyphs() {
  std::vector<TestGlyph> glyphs;
  for (int i = 0; i < 8; ++i) {
    std::vector<int> rows;
    for (int r = 0; r <= i; ++r)
      rows.push_back(r);
    glyphs.push_back(RowGlyph('A' + i, 10, 10, 255, rows));
  }
  glyphs.push_back(RowGlyph(0x2026, 10, 10, 255, {9}));
  glyphs.push_back(RowGlyph(' ', 10, 10, 255, {}));
  return glyphs;
}

int OpenDescriptors() {
  int n = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
    ++n;
  return n;
}
