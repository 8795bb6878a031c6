// scrapdeck-tapimage: writes a plug-in image as the recorder's plug-in table sees one,
// an ELF32 little-endian MIPS file whose only content is its identification sections.
// It stands for another plug-in on the recorder's disk: the plug-in registry reads its
// id from it in every stand, the native one included, where the compiler makes 64-bit
// images only.
//
//   scrapdeck-tapimage --id 0x8E0A424E [--name TEXT] --output FILE.tap
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Section {
  std::string name;
  std::string bytes;
  uint32_t type;  // 1: program data, 3: string table
};

void Put(std::string& out, uint32_t value, int width) {
  for (int i = 0; i < width; ++i)
    out += static_cast<char>(value >> (8 * i));
}

// A text field NUL-padded to its size, cut to leave room for the terminator.
std::string Field(const std::string& text, size_t size) {
  std::string field = text.substr(0, size - 1);
  field.resize(size, '\0');
  return field;
}

std::string Image(uint32_t id, const std::string& name) {
  std::string idBytes, header = "TFAPMIPS";
  Put(idBytes, id, 4);
  Put(header, 0x10, 4);
  header.resize(32, '\0');
  std::vector<Section> sections = {
      {"", "", 0},
      {"._tap_id", idBytes, 1},
      {"._tap_program_name", Field(name, 64), 1},
      {"._tap_description", Field("Identification sections only.", 128), 1},
      {"._tap_author_name", Field("Scrapdeck build", 64), 1},
      {"._tap_etcinfo", Field("Jan  1 202400:00:00", 64), 1},
      {"._tap_header", header, 1},
      {".shstrtab", "", 3},
  };
  std::string names(1, '\0');
  std::vector<uint32_t> nameOffsets;
  for (const Section& s : sections) {
    nameOffsets.push_back(s.name.empty() ? 0 : static_cast<uint32_t>(names.size()));
    if (!s.name.empty()) names += s.name + '\0';
  }
  sections.back().bytes = names;

  const uint32_t kHeaderSize = 52, kSectionHeaderSize = 40;
  std::string body;
  std::vector<uint32_t> offsets;
  for (const Section& s : sections) {
    while ((kHeaderSize + body.size()) % 4)
      body += '\0';
    offsets.push_back(s.bytes.empty() ? 0 : static_cast<uint32_t>(kHeaderSize + body.size()));
    body += s.bytes;
  }
  while ((kHeaderSize + body.size()) % 4)
    body += '\0';
  const uint32_t tableOffset = static_cast<uint32_t>(kHeaderSize + body.size());

  std::string out =
      "\x7f"
      "ELF";
  out += '\1';  // 32-bit
  out += '\1';  // little-endian
  out += '\1';  // version
  out.resize(16, '\0');
  Put(out, 3, 2);  // shared object
  Put(out, 8, 2);  // MIPS
  Put(out, 1, 4);
  Put(out, 0, 4);  // entry
  Put(out, 0, 4);  // no program headers
  Put(out, tableOffset, 4);
  Put(out, 0, 4);  // flags
  Put(out, kHeaderSize, 2);
  Put(out, 0, 2);
  Put(out, 0, 2);
  Put(out, kSectionHeaderSize, 2);
  Put(out, static_cast<uint32_t>(sections.size()), 2);
  Put(out, static_cast<uint32_t>(sections.size() - 1), 2);  // .shstrtab
  out += body;
  for (size_t i = 0; i < sections.size(); ++i) {
    const Section& s = sections[i];
    Put(out, nameOffsets[i], 4);
    Put(out, s.type, 4);
    Put(out, s.type == 1 ? 2 : 0, 4);  // program data is allocated
    Put(out, 0, 4);                    // address
    Put(out, offsets[i], 4);
    Put(out, static_cast<uint32_t>(s.bytes.size()), 4);
    Put(out, 0, 4);
    Put(out, 0, 4);
    Put(out, i ? 1 : 0, 4);  // alignment
    Put(out, 0, 4);
  }
  return out;
}

int Usage() {
  std::fprintf(stderr, "usage: scrapdeck-tapimage --id ID [--name TEXT] --output FILE.tap\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string idText, name, output;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--id"))
      idText = argv[i + 1];
    else if (!std::strcmp(argv[i], "--name"))
      name = argv[i + 1];
    else if (!std::strcmp(argv[i], "--output"))
      output = argv[i + 1];
    else
      return Usage();
  }
  if (argc % 2 == 0 || idText.empty() || output.empty()) return Usage();
  char* end = nullptr;
  unsigned long long id = std::strtoull(idText.c_str(), &end, 0);
  if (*end || id > 0xFFFFFFFFull || idText[0] == '-') return Usage();
  if (name.empty()) name = "Plug-in " + idText;
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out << Image(static_cast<uint32_t>(id), name);
  out.close();
  if (!out) {
    std::fprintf(stderr, "scrapdeck-tapimage: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
