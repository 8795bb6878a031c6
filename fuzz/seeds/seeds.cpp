// Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/seed-*): small
// valid inputs made with the project's own writers, cut down where the real thing is
// large. Run from a native build: scrapdeck-fuzz-seeds [corpus folder].
// Inputs that once broke the toolkit (crash-*) are kept beside the seeds and never
// rewritten here.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "core/id.h"
#include "fuzz/fuzz.h"
#include "lib/osd/osd.h"
#include "stand/firmware_dat.h"
#include "tests/support/test_fonts.h"
#include "tools/imagepack/Lh5Encode.h"
#include "tools/imagepack/PackCompressedGd.h"

namespace fs = std::filesystem;

namespace {

fs::path corpus;

// A glyph definition as it lies in a UFNT file.
struct GlyphDef {
  uint32_t codePoint;
  uint32_t offset;
  uint16_t width;
  uint16_t height;
};

std::string Fields(const std::vector<std::string>& fields) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i)
    out += (i ? fuzz::kSeparator : "") + fields[i];
  return out;
}

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
  fs::create_directories(corpus / target);
  std::ofstream(corpus / target / ("seed-" + name), std::ios::binary) << bytes;
}

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<char>(value >> (8 * i)));
  return out;
}

void IniSeeds() {
  Seed("ini", "settings",
       Fields({"prompt_on=3\r\ntimeout=45\r\n", "timeout", "30", "prompt_on", Le(1, 4)}));
  Seed("ini", "empty", Fields({"", "prompt_on", "1", "timeout", Le(60, 4)}));
  Seed("ini", "no-line-end",
       Fields({"; comment\r\nTIMEOUT=12a\r\nxtimeout=5", "timeout", "-7", "x", Le(0xFFFFFFF9, 4)}));
  Seed("ini", "spaces",
       Fields({"timeout = 5\nprompt_on=\n a timeout=9\n", "prompt_on", "", "timeout", Le(9, 4)}));
  Seed("ini", "long-value",
       Fields({"k=" + std::string(600, '7') + "\r\n", "k", std::string(900, 'v'), "new",
               Le(0x80000000, 4)}));
}

// The standard 10-pixel font cut down to a few glyphs, the 10-pixel test font, and
// one with a mark.
void UfntSeeds() {
  std::ifstream in(fs::path(SCRAPDECK_DATA_DIR) / "fonts" / OSDMENU_STD_FONT_FILES[0],
                   std::ios::binary);
  std::string font(std::istreambuf_iterator<char>(in), {});
  std::vector<TestGlyph> kept;
  if (font.size() >= 8) {
    uint32_t count;
    std::memcpy(&count, font.data() + 4, 4);
    for (uint32_t i = 0; i < count && 8 + 12 * (i + 1) <= font.size(); ++i) {
      GlyphDef def;
      std::memcpy(&def, font.data() + 8 + 12 * i, 12);
      const bool wanted = def.codePoint == 'A' || def.codePoint == 'b' || def.codePoint == ' ' ||
                          def.codePoint == 0xE9 || def.codePoint == 0x2026 ||
                          def.codePoint == 0x301;
      if (!wanted || def.offset + size_t(def.width) * def.height > font.size()) continue;
      kept.push_back(
          {def.codePoint, def.width, def.height,
           std::vector<uint8_t>(font.begin() + def.offset,
                                font.begin() + def.offset + size_t(def.width) * def.height)});
    }
  }
  if (kept.empty())
    std::cerr << "no standard font: the cut-down seed is left out\n";
  else
    Seed("ufnt", "calibri10-cut",
         Fields({MakeUfnt(kept), "Ab \xC3\xA9 e\xCC\x81",
                 std::string("\x02\x60\x04\x01\x00\x01", 6)}));
  Seed(
      "ufnt", "ten-pixel",
      Fields({MakeUfnt(TenPixelGlyphs()), "ABCDEFGH", std::string("\x00\x31\x00\x01\x02\x00", 6)}));
  Seed(
      "ufnt", "ellipsis-start",
      Fields({MakeUfnt(TenPixelGlyphs()), "ABCDEFGH", std::string("\x00\x31\x00\x02\x01\x01", 6)}));
  Seed("ufnt", "latin5",
       Fields({MakeUfnt(TenPixelGlyphs()), "\x05\xDD\xE9",
               std::string("\x05\xFF\x03\x01\x01\x00", 6)}));
}

// A plug-in image reduced to what the reader looks at: an ELF32 header, the
// identification sections, the section-name table and the section table.
std::string Image(const std::vector<std::pair<std::string, std::string>>& sections) {
  std::string names(1, '\0'), contents;
  std::vector<uint32_t> nameAt, offsetAt;
  for (const auto& [name, bytes] : sections) {
    nameAt.push_back(static_cast<uint32_t>(names.size()));
    names += name + '\0';
    offsetAt.push_back(static_cast<uint32_t>(52 + contents.size()));
    contents += bytes;
  }
  const uint32_t shstrtabName = static_cast<uint32_t>(names.size());
  names += std::string(".shstrtab") + '\0';
  const uint32_t namesOffset = static_cast<uint32_t>(52 + contents.size());
  contents += names;
  while (contents.size() % 4)
    contents.push_back('\0');
  const uint32_t tableOffset = static_cast<uint32_t>(52 + contents.size());
  const uint32_t count = static_cast<uint32_t>(sections.size() + 2);

  std::string out =
      "\x7F"
      "ELF";
  out += std::string("\x01\x01\x01", 3) + std::string(9, '\0');
  out += Le(3, 2) + Le(8, 2) + Le(1, 4) + Le(0, 4) + Le(0, 4) + Le(tableOffset, 4) + Le(0, 4);
  out += Le(52, 2) + Le(0, 2) + Le(0, 2) + Le(40, 2) + Le(count, 2) + Le(count - 1, 2);
  out += contents;
  auto section = [&](uint32_t name, uint32_t type, uint32_t offset, uint32_t size) {
    out += Le(name, 4) + Le(type, 4) + Le(2, 4) + Le(0, 4) + Le(offset, 4) + Le(size, 4) +
           Le(0, 4) + Le(0, 4) + Le(1, 4) + Le(0, 4);
  };
  section(0, 0, 0, 0);
  for (size_t i = 0; i < sections.size(); ++i)
    section(nameAt[i], 1, offsetAt[i], static_cast<uint32_t>(sections[i].second.size()));
  section(shstrtabName, 3, namesOffset, static_cast<uint32_t>(names.size()));
  return out;
}

std::string Padded(const std::string& text, size_t size) {
  std::string out = text;
  out.resize(size, '\0');
  return out;
}

void ImageSeeds() {
  const std::pair<std::string, std::string> id{"._tap_id", Le(0x80E32003, 4)};
  const std::pair<std::string, std::string> name{"._tap_program_name",
                                                 Padded(SCRAPDECK_PROGRAM_NAME, 64)};
  const std::pair<std::string, std::string> description{
      "._tap_description", Padded("Prompt user to delete file after stop.", 128)};
  const std::pair<std::string, std::string> author{"._tap_author_name", Padded("Scrapdeck", 64)};
  const std::pair<std::string, std::string> stamp{"._tap_etcinfo",
                                                  Padded("Mar 14 201809:30:00", 64)};
  const std::pair<std::string, std::string> version{"._tap_program_version", "1.5"};
  auto image = [](const std::vector<std::pair<std::string, std::string>>& s) { return Image(s); };
  Seed("image", "complete", image({id, name, description, author, stamp, version}));
  Seed("image", "no-stamp", image({id, name, author}));
  Seed("image", "long-id", image({{"._tap_id", Le(1, 8)}, name}));
  Seed("image", "long-texts",
       image({id,
              {"._tap_program_name", std::string(200, 'N')},
              {"._tap_etcinfo", std::string(300, 'E')}}));
}

void ModelTableSeeds() {
  Seed("modeltable", "two-models",
       Fields({MakeFirmwareDat({{0x1234, 4}, {0x2222, 2}}), Le(0x1234, 2)}));
  Seed("modeltable", "unknown-model", Fields({MakeFirmwareDat({{0x1234, 4}}), Le(0x5555, 2)}));
  Seed("modeltable", "many-slots", Fields({MakeFirmwareDat({{0x0001, 40}}), Le(0x10001, 4)}));
  FirmwareDatLayout wrong;
  wrong.word8 = 1;
  Seed("modeltable", "word8-set", Fields({MakeFirmwareDat({{0x1234, 4}}, wrong), Le(0x1234, 2)}));
  FirmwareDatLayout tooMany;
  tooMany.modelCount = 3;
  Seed("modeltable", "short", Fields({MakeFirmwareDat({{0x1234, 4}}, tooMany), Le(0x1234, 2)}));
}

void TextSeeds() {
  const std::string numbers("\x09\x0A\x0B\x20\x05\x00\xF6\x01", 8);
  Seed("text", "latin", Fields({"Caf\xE9", "CAF", numbers}));
  Seed("text", "utf8", Fields({"Caf\xC3\xA9 \xE2\x82\xAC", "\xC3\xA9", numbers}));
  Seed("text", "selection-8859-9", Fields({"\x05\xDD", "x", numbers}));
  Seed("text", "selection-0x10", Fields({std::string("\x10\x00\x02\xA3 A", 5), "a", numbers}));
  Seed("text", "big5", Fields({std::string("\x14\xA4\x40\x00\x41\xA3\xC0", 7), "", numbers}));
  Seed("text", "diacritic",
       Fields({"\xC2"
               "e\xC5"
               "a\xA4",
               "E", std::string("\x00\x09\x09\x04\x0F", 5)}));
  Seed("text", "raw-utf8", Fields({"\x15\xFF\xC3", "\x1F\x01", numbers}));
  Seed("text", "ends-in-selection",
       Fields({"\x10", "\x10", std::string("\x00\x08\x0A\x01\x01", 5)}));
}

void PathSeeds() {
  const std::string numbers("\x80\x00\x14\xFF", 4);
  Seed("paths", "recording",
       Fields({"/DataFiles/Film.rec", "The Film of the Year - Part Two: The Return", "", numbers}));
  Seed("paths", "side-file",
       Fields({"Film.rec.inf", "Title", " -", std::string("\x10\x00\x05\x02", 4)}));
  Seed("paths", "part",
       Fields({"/mnt/hd/DataFiles/A-1.ts", "Averyveryverylongwordwithoutanybreak", ",",
               std::string("\x20\x00\x08\x03", 4)}));
  Seed("paths", "deleted",
       Fields({"Film.rec.inf.del", "a b c d e f g", "", std::string("\x03\x00\x01\x00", 4)}));
  Seed("paths", "dot", Fields({"./Film.rec", "", "", std::string("\x00\x00\x00\x00", 4)}));
  Seed("paths", "elsewhere", Fields({"/mnt/usb/x.rec", "x", "", numbers}));
}

void GdSeeds() {
  // A 4 x 2 picture, packed as the image packer packs the toolkit's pictures.
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 4 * 2; ++i)
    for (uint8_t c : {uint8_t(0x10 * i), uint8_t(0x80), uint8_t(0xFF - 0x10 * i), uint8_t(0xFF)})
      pixels.push_back(c);
  std::vector<uint8_t> packed;
  std::string error;
  if (!PackCompressedGd(pixels.data(), pixels.size(), packed, error)) {
    std::cerr << "packing failed: " << error << "\n";
    return;
  }
  const std::string records(packed.begin(), packed.end());
  Seed("gd", "decode", std::string(1, '\0') + Fields({Le(4, 2) + Le(2, 2) + Le(0, 1), records}));
  // version 1, format 1, method 2, 4 x 2, agreeing size, at (30, 20), as a sprite.
  Seed("gd", "draw",
       std::string(1, '\1') + Fields({std::string("\x01\x01\x02", 3) + Le(4, 2) + Le(2, 2) +
                                          Le(0, 1) + Le(0, 4) + Le(30, 2) + Le(20, 2) + Le(1, 1),
                                      records}));
  Seed(
      "gd", "draw-clipped",
      std::string(1, '\1') + Fields({std::string("\x01\x01\x02", 3) + Le(4, 2) + Le(2, 2) +
                                         Le(0, 1) + Le(0, 4) + Le(0xFFFE, 2) + Le(31, 2) + Le(0, 1),
                                     records}));
  Seed("gd", "round-trip",
       std::string(1, '\2') + "abcabcabcabc the same words, the same words again \x00\xFF");
  std::vector<uint8_t> stream = Lh5Encode(pixels.data(), pixels.size());
  Seed("gd", "round-trip-stream", std::string(1, '\2') + std::string(stream.begin(), stream.end()));
}

}  // namespace

int main(int argc, char** argv) {
  corpus = argc > 1 ? fs::path(argv[1]) : fs::path(SCRAPDECK_SOURCE_DIR) / "fuzz" / "corpus";
  IniSeeds();
  UfntSeeds();
  ImageSeeds();
  ModelTableSeeds();
  TextSeeds();
  PathSeeds();
  GdSeeds();
  std::cout << "seeds written to " << corpus.string() << "\n";
  return 0;
}
