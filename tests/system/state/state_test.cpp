// Every byte of module state that the plug-in's objects define is put back by the folders'
// resets: the state is overwritten, reset, and compared with its value at the start. A
// folder that gains state its reset does not cover fails here, with the symbol named.
// The pictures (never written) and function-local tables are not module state.
#include <elf.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STATE_SANITIZED 1
#include <sanitizer/asan_interface.h>
#endif
#endif

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lib/osd/osd.h"
#include "tests/support/stand_test.h"

namespace {

struct StateSymbol {
  std::string folder;  // "lib/osd"
  std::string file;    // "MessageBox.cpp"
  std::string name;
  uint8_t* address = nullptr;
  size_t size = 0;
};

struct ExeSymbol {
  std::string file;  // for local symbols: the source file they follow
  uint64_t value = 0;
  uint64_t size = 0;
  std::string section;
};

#ifdef STATE_SANITIZED
bool Poisoned(const uint8_t* byte) {
  return __asan_address_is_poisoned(byte);
}
#else
bool Poisoned(const uint8_t*) {
  return false;
}
#endif

std::string ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The symbols of this program's own symbol table by name; local ones with the source file
// they follow.
template <typename Ehdr, typename Shdr, typename Sym, unsigned char (*Type)(unsigned char),
          unsigned char (*Bind)(unsigned char)>
void ReadSymbols(const std::string& exe, std::map<std::string, ExeSymbol>& globals,
                 std::multimap<std::string, ExeSymbol>& locals) {
  const auto* eh = reinterpret_cast<const Ehdr*>(exe.data());
  const auto* sh = reinterpret_cast<const Shdr*>(exe.data() + eh->e_shoff);
  const char* shnames = exe.data() + sh[eh->e_shstrndx].sh_offset;
  for (unsigned i = 0; i < eh->e_shnum; ++i) {
    if (sh[i].sh_type != SHT_SYMTAB) continue;
    const char* names = exe.data() + sh[sh[i].sh_link].sh_offset;
    const auto* syms = reinterpret_cast<const Sym*>(exe.data() + sh[i].sh_offset);
    std::string file;
    for (size_t k = 0; k < sh[i].sh_size / sizeof(Sym); ++k) {
      const Sym& s = syms[k];
      const std::string name = names + s.st_name;
      if (Type(s.st_info) == STT_FILE) file = name;
      if (Type(s.st_info) != STT_OBJECT || s.st_shndx == SHN_UNDEF || s.st_shndx >= eh->e_shnum)
        continue;
      ExeSymbol e{file, s.st_value, s.st_size, shnames + sh[s.st_shndx].sh_name};
      if (Bind(s.st_info) == STB_LOCAL)
        locals.emplace(name, e);
      else
        globals[name] = e;
    }
  }
}
unsigned char Type32(unsigned char i) {
  return ELF32_ST_TYPE(i);
}
unsigned char Bind32(unsigned char i) {
  return ELF32_ST_BIND(i);
}
unsigned char Type64(unsigned char i) {
  return ELF64_ST_TYPE(i);
}
unsigned char Bind64(unsigned char i) {
  return ELF64_ST_BIND(i);
}

// The plug-in's module state: the writable data of its objects, found in this program.
std::vector<StateSymbol> PluginState() {
  const std::string exe = ReadHostFile("/proc/self/exe");
  std::map<std::string, ExeSymbol> globals;
  std::multimap<std::string, ExeSymbol> locals;
  if (exe.size() > EI_CLASS && exe[EI_CLASS] == ELFCLASS32)
    ReadSymbols<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym, Type32, Bind32>(exe, globals, locals);
  else
    ReadSymbols<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym, Type64, Bind64>(exe, globals, locals);
  // The plug-in's objects are linked with hidden visibility: their globals turn local too,
  // listed apart from their file. A name defined in several files is told apart by file.
  auto find = [&](const std::string& file, const std::string& name) -> const ExeSymbol* {
    auto it = globals.find(name);
    if (it != globals.end()) return &it->second;
    auto [first, last] = locals.equal_range(name);
    if (first == last) return nullptr;
    if (std::next(first) == last) return &first->second;
    for (auto i = first; i != last; ++i)
      if (i->second.file == file) return &i->second;
    return nullptr;
  };
  const ExeSymbol* anchor = find("OSDRgn.cpp", "OSDRgn");
  if (!anchor) {
    ADD_FAILURE() << "no symbol table in the program";
    return {};
  }
  const uintptr_t base = reinterpret_cast<uintptr_t>(&OSDRgn) - anchor->value;

  std::vector<StateSymbol> state;
  std::istringstream list(ReadHostFile(SCRAPDECK_STATE_LIST));
  const std::string objects = "scrapdeck_objs.dir/";
  for (std::string line; std::getline(list, line);) {
    // "<object>:<value> [<size>] <type> <name>"
    const size_t colon = line.find(".o:");
    const size_t at = line.find(objects);
    if (colon == std::string::npos || at == std::string::npos) continue;
    const std::string object = line.substr(at + objects.size(), colon - at - objects.size());
    std::istringstream fields(line.substr(colon + 3));
    std::vector<std::string> f{std::istream_iterator<std::string>(fields), {}};
    if (f.size() < 3) continue;
    const std::string type = f[f.size() - 2], name = f.back();
    if (type.size() != 1 || std::string("bBdD").find(type) == std::string::npos) continue;
    StateSymbol s;
    s.folder = object.substr(0, object.rfind('/'));
    s.file = object.substr(object.rfind('/') + 1);
    s.name = name;
    // Names with "__" are the compiler's own (a sanitizer's string literals, for one).
    if (s.folder.find("imagepack") != std::string::npos || name.rfind("_ZZ", 0) == 0 ||
        name.rfind("__", 0) == 0)
      continue;
    const ExeSymbol* e = find(s.file, name);
    if (!e) {
      ADD_FAILURE() << "not found in the program: " << s.folder << " " << name;
      continue;
    }
    const std::string& section = e->section;
    // .sdata and .sbss: MIPS's small data.
    const bool writable = (section.rfind(".data", 0) == 0 || section.rfind(".bss", 0) == 0 ||
                           section.rfind(".sdata", 0) == 0 || section.rfind(".sbss", 0) == 0) &&
                          section.rfind(".data.rel.ro", 0) != 0;
    if (!writable) continue;
    s.address = reinterpret_cast<uint8_t*>(base + e->value);
    s.size = e->size;
    // AddressSanitizer pads every global with a red zone that the symbol's size includes.
    while (s.size > 0 && Poisoned(s.address + s.size - 1))
      --s.size;
    state.push_back(s);
  }
  return state;
}

TEST(ModuleState, EachFolderResetPutsBackAllItsState) {
  // Nothing of the plug-in has run yet in this program: the state is as at its start.
  const std::vector<StateSymbol> state = PluginState();
  std::set<std::string> folders;
  std::vector<std::string> fresh;
  for (const StateSymbol& s : state) {
    folders.insert(s.folder);
    fresh.emplace_back(reinterpret_cast<const char*>(s.address), s.size);
    std::memset(s.address, 0xA5, s.size);
  }
  EXPECT_EQ(folders, (std::set<std::string>{"core", "lib/firmware", "lib/font", "lib/hdd",
                                            "lib/ini", "lib/menu", "lib/osd", "settings"}));
  stand::Reset();
  ResetToolkitState();
  for (size_t i = 0; i < state.size(); ++i) {
    const StateSymbol& s = state[i];
    EXPECT_EQ(std::memcmp(s.address, fresh[i].data(), s.size), 0)
        << s.folder << "/" << s.file << ": " << s.name << " is not put back by its reset";
  }
}

}  // namespace
