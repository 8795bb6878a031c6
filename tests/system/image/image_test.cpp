// The built image, read as the recorder reads it: an ELF shared object with the
// identification sections, one exported entry and no library requirements.
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/id.h"
#include "tests/support/stand_test.h"

#if defined(__SANITIZE_ADDRESS__)
#define IMAGE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define IMAGE_SANITIZED 1
#endif
#endif

namespace {

const std::string kImage = SCRAPDECK_IMAGE;

// Sections and dynamic symbols of an ELF file of either class.
struct Elf {
  std::string bytes;
  bool is32 = false;
  unsigned machine = 0;
  std::map<std::string, std::string> sections;  // name -> contents
  std::set<unsigned> sectionTypes;
  std::vector<std::string> needed;
  std::set<std::string> exported;  // defined global dynamic symbols
  std::set<std::string> imported;  // undefined dynamic symbols

  template <typename Ehdr, typename Shdr, typename Sym, typename Dyn>
  void Parse() {
    auto* eh = reinterpret_cast<const Ehdr*>(bytes.data());
    machine = eh->e_machine;
    auto* sh = reinterpret_cast<const Shdr*>(bytes.data() + eh->e_shoff);
    const char* names = bytes.data() + sh[eh->e_shstrndx].sh_offset;
    for (unsigned i = 0; i < eh->e_shnum; ++i) {
      sectionTypes.insert(sh[i].sh_type);
      std::string contents;
      if (sh[i].sh_type != SHT_NOBITS) contents = bytes.substr(sh[i].sh_offset, sh[i].sh_size);
      sections[names + sh[i].sh_name] = contents;
      if (sh[i].sh_type == SHT_DYNSYM) {
        const char* strtab = bytes.data() + sh[sh[i].sh_link].sh_offset;
        auto* sym = reinterpret_cast<const Sym*>(contents.data());
        for (size_t k = 0; k < contents.size() / sizeof(Sym); ++k) {
          unsigned bind = sym[k].st_info >> 4;
          if (sym[k].st_shndx != SHN_UNDEF && bind == STB_GLOBAL && sym[k].st_name)
            exported.insert(strtab + sym[k].st_name);
          if (sym[k].st_shndx == SHN_UNDEF && sym[k].st_name)
            imported.insert(strtab + sym[k].st_name);
        }
      }
      if (sh[i].sh_type == SHT_DYNAMIC) {
        const char* strtab = bytes.data() + sh[sh[i].sh_link].sh_offset;
        auto* dyn = reinterpret_cast<const Dyn*>(contents.data());
        for (size_t k = 0; k < contents.size() / sizeof(Dyn); ++k)
          if (dyn[k].d_tag == DT_NEEDED) needed.push_back(strtab + dyn[k].d_un.d_val);
      }
    }
  }

  explicit Elf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (bytes.size() < EI_NIDENT || bytes.compare(0, 4, ELFMAG) != 0) return;
    is32 = bytes[EI_CLASS] == ELFCLASS32;
    if (is32)
      Parse<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym, Elf32_Dyn>();
    else
      Parse<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym, Elf64_Dyn>();
  }
};

std::string Padded(const std::string& text, size_t size) {
  std::string s = text;
  s.resize(size, '\0');
  return s;
}

TEST(Image, IdentificationSections) {
  Elf elf(kImage);
  ASSERT_FALSE(elf.sections.empty()) << kImage;
  EXPECT_EQ(elf.sections["._tap_id"], std::string("\x03\x20\xE3\x80", 4));
  EXPECT_EQ(elf.sections["._tap_program_name"], Padded(SCRAPDECK_PROGRAM_NAME, 64));
  EXPECT_EQ(elf.sections["._tap_description"],
            Padded("Prompt user to delete file after stop.", 128));
  EXPECT_EQ(elf.sections["._tap_author_name"], Padded("The Scrapdeck team", 64));
  EXPECT_EQ(elf.sections["._tap_header"], Padded(std::string("TFAPMIPS\x10\0\0\0", 12), 32));

  const std::string& etc = elf.sections["._tap_etcinfo"];
  ASSERT_EQ(etc.size(), 64u);
  std::string stamp(etc.c_str());
  EXPECT_TRUE(std::regex_match(
      stamp, std::regex("(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 1-3][0-9] "
                        "[0-9]{4}[0-2][0-9]:[0-5][0-9]:[0-5][0-9]")))
      << stamp;
  EXPECT_EQ(etc, Padded(stamp, 64));
}

TEST(Image, LinksWithNothingButWhatTheRecorderResolves) {
  Elf elf(kImage);
  ASSERT_FALSE(elf.sections.empty());
  EXPECT_TRUE(elf.needed.empty()) << elf.needed.front();
  EXPECT_EQ(elf.sectionTypes.count(SHT_GNU_verneed), 0u) << "symbol-version requirements";
  EXPECT_EQ(elf.exported, std::set<std::string>{"__TAP_Init_"});
#if UINTPTR_MAX == 0xFFFFFFFFu && defined(__mips__)
  EXPECT_TRUE(elf.is32);
  EXPECT_EQ(elf.machine, static_cast<unsigned>(EM_MIPS));
  EXPECT_EQ(elf.bytes[EI_DATA], ELFDATA2LSB);
#endif
}

// Every system-library call the image makes must mean the same under each C library of
// the platform, records included: nothing beyond this list, and of the stat family only
// the 64-bit calls, whose record has one layout everywhere.
TEST(Image, ImportsOnlyCallsEveryCLibraryAnswersAlike) {
  const std::set<std::string> known = {
      "close",   "dlclose", "dlerror", "dlopen",  "dlsym",   "fclose",  "fopen",
      "fread",   "lseek",   "lstat64", "memcmp",  "memcpy",  "memmove", "memset",
      "open",    "read",    "remove",  "strchr",  "strcmp",  "strcpy",  "strlen",
      "strncmp", "strncpy", "strnlen", "strpbrk", "strrchr", "strtol"};
#ifdef IMAGE_SANITIZED
  GTEST_SKIP() << "a sanitizer build's image also calls the sanitizers' run-time library";
#endif
  Elf elf(kImage);
  ASSERT_FALSE(elf.sections.empty());
  for (const std::string& name : elf.imported)
    EXPECT_TRUE(name.rfind("TAP_", 0) == 0 || known.count(name)) << name << " is imported";
}

using ImageInStand = StandTest;

TEST_F(ImageInStand, RegistersItsEntriesAndStaysResident) {
  stand::Plugin plugin;
  std::string error;
  ASSERT_TRUE(stand::LoadPlugin(kImage, 0, plugin, error)) << error;
  EXPECT_EQ(stand::CallMain(plugin), 1);
  EXPECT_EQ(stand::CallEvent(plugin, 0xFFFF, 1234), 1234u);
  stand::UnloadPlugin(plugin);
}

}  // namespace
