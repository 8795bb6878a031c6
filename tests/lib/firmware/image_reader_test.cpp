// Reading plug-in images, and finding running plug-ins by id.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/id.h"
#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"
#include "stand/scenario.h"
#include "tests/support/stand_test.h"
#include "tests/support/trace.h"

namespace {

std::string ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

uint64_t Get(const std::string& bytes, size_t offset, int width) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i)
    value |= uint64_t{static_cast<uint8_t>(bytes.at(offset + i))} << (8 * i);
  return value;
}

void Put(std::string& bytes, size_t offset, uint64_t value, int width) {
  for (int i = 0; i < width; ++i)
    bytes.at(offset + i) = static_cast<char>(value >> (8 * i));
}

// The plug-in images are ELF32 on the recorder. A native build makes ELF64 ones;
// their header and section table are rewritten as ELF32, the contents stay
// where they are, so the reader sees the very sections the build made.
std::string Elf32Of(const std::string& image) {
  if (image.size() < 64 || image[4] != 2) return image;
  uint64_t tableOffset = Get(image, 40, 8);
  uint64_t count = Get(image, 60, 2);
  std::string out = image;
  out.resize((out.size() + 3) / 4 * 4, '\0');
  size_t table = out.size();
  for (uint64_t i = 0; i < count; ++i) {
    size_t from = tableOffset + 64 * i;
    std::string entry(40, '\0');
    Put(entry, 0, Get(image, from, 4), 4);        // name
    Put(entry, 4, Get(image, from + 4, 4), 4);    // type
    Put(entry, 16, Get(image, from + 24, 8), 4);  // offset
    Put(entry, 20, Get(image, from + 32, 8), 4);  // size
    out += entry;
  }
  out[4] = 1;
  Put(out, 32, table, 4);
  Put(out, 46, 40, 2);
  Put(out, 48, count, 2);
  Put(out, 50, Get(image, 62, 2), 2);
  return out;
}

// A built image: the plug-in's (SCRAPDECK_IMAGE) or a test image by its file name.
std::string BuiltImage(const std::string& name) {
  const std::string path =
      name == SCRAPDECK_IMAGE ? name : std::string(SCRAPDECK_BINARY_DIR) + "/bin/" + name;
  std::string bytes = ReadHostFile(path);
  EXPECT_FALSE(bytes.empty()) << name;
  return Elf32Of(bytes);
}

// The lowest free descriptor: a descriptor left open moves it.
int LowestFreeDescriptor() {
  int probe = ::open("/dev/null", O_RDONLY);
  ::close(probe);
  return probe;
}

class ImageReader : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    freeDescriptor = LowestFreeDescriptor();
  }

  // Reads an image put on the disk and checks that nothing of the reader survives.
  bool Read(const std::string& bytes, TAPInfo& info) {
    stand::WriteFile("/ProgramFiles/image.tap", bytes);
    bool read = HDD_TAP_GetInfo("/ProgramFiles/image.tap", &info);
    EXPECT_EQ(stand::Memory().liveBlocks, 0u);
    EXPECT_EQ(fTAP, -1);
    EXPECT_EQ(ELFHeader, nullptr);
    EXPECT_EQ(SectionHeaders, nullptr);
    EXPECT_EQ(shstrtab, nullptr);
    EXPECT_EQ(LowestFreeDescriptor(), freeDescriptor);
    return read;
  }

  int freeDescriptor = -1;
};

TEST_F(ImageReader, ReadsTheBuiltImages) {
  const std::string x63(63, 'X'), x127(127, 'X');
  struct Row {
    const char* image;
    bool read;
    dword id;
    dword date;
    std::string name, author, description, version;
  } rows[] = {
      {"test_image_redraw.tap", true, 0x8E0A424E, TAP_MakeMjd(2018, 3, 14), "Test image", "Tester",
       "Read by the image tests.", "2.0b"},
      // Made by the build's image tool, 32-bit in every build.
      {"Plugin_8E0A424E.tap", true, 0x8E0A424E, TAP_MakeMjd(2024, 1, 1), "Plug-in 0x8E0A424E",
       "Scrapdeck build", "Identification sections only.", ""},
      {"test_image_bare.tap", true, 0x0BA2E000, 0, "Test image", "Tester",
       "Read by the image tests.", ""},
      // Texts longer than their fields are cut, one byte short, and terminated.
      {"test_image_long.tap", true, 0x10000001, TAP_MakeMjd(2021, 7, 4), x63, x63, x127, x63},
      {"test_image_wide_id.tap", false, 0, 0, "", "", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.image);
    TAPInfo info;
    std::memset(&info, 0x5A, sizeof info);
    ASSERT_EQ(Read(BuiltImage(row.image), info), row.read);
    if (!row.read) continue;
    EXPECT_EQ(info.id, row.id);
    EXPECT_EQ(info.date, row.date);
    EXPECT_EQ(info.programName, row.name);
    EXPECT_EQ(info.author, row.author);
    EXPECT_EQ(info.description, row.description);
    EXPECT_EQ(info.version, row.version);
  }
}

TEST_F(ImageReader, ReadsThePlugInItself) {
  TAPInfo info;
  ASSERT_TRUE(Read(BuiltImage(SCRAPDECK_IMAGE), info));
  EXPECT_EQ(info.id, dword{SCRAPDECK_ID});
  EXPECT_STREQ(info.programName, SCRAPDECK_PROGRAM_NAME);
  EXPECT_STREQ(info.author, SCRAPDECK_AUTHOR);
  EXPECT_STREQ(info.description, SCRAPDECK_DESCRIPTION);
  EXPECT_STREQ(info.version, "");
  // Built from this tree: some day after 2020 and before 2100.
  EXPECT_GT(info.date, TAP_MakeMjd(2020, 1, 1));
  EXPECT_LT(info.date, TAP_MakeMjd(2100, 1, 1));
}

TEST_F(ImageReader, ParsesTheBuildStamp) {
  std::string image = BuiltImage("test_image_redraw.tap");
  size_t at = image.find("Mar 14 201809:30:00");
  ASSERT_NE(at, std::string::npos);
  struct Row {
    const char* stamp;
    dword date;
  } rows[] = {
      {"Mar  9 201809:30:00", TAP_MakeMjd(2018, 3, 9)},
      {"Dec 31 199923:59:59", TAP_MakeMjd(1999, 12, 31)},
      {"Xyz 01 201809:30:00", TAP_MakeMjd(2018, 0, 1)},
      {"Jan", TAP_MakeMjd(0, 1, 0)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.stamp);
    std::string patched = image;
    std::memset(&patched[at], 0, 19);
    std::memcpy(&patched[at], row.stamp, std::strlen(row.stamp));
    TAPInfo info;
    ASSERT_TRUE(Read(patched, info));
    EXPECT_EQ(info.date, row.date);
  }
}

// Where the fields of a parsed ELF32 image lie, for damaging it on purpose.
struct Layout {
  explicit Layout(const std::string& image)
      : table(Get(image, 32, 4)), count(Get(image, 48, 2)), names(Get(image, 50, 2)) {}
  size_t Section(size_t index) const { return table + 40 * index; }
  size_t table, count, names;
};

size_t SectionNamed(const std::string& image, const std::string& name) {
  Layout layout(image);
  size_t names = Get(image, layout.Section(layout.names) + 16, 4);
  for (size_t i = 1; i < layout.count; ++i)
    if (image.compare(names + Get(image, layout.Section(i), 4), name.size() + 1, name.c_str(),
                      name.size() + 1) == 0)
      return i;
  ADD_FAILURE() << "no section " << name;
  return 0;
}

TEST_F(ImageReader, SurvivesDamagedImages) {
  const std::string good = BuiltImage("test_image_redraw.tap");
  const Layout layout(good);
  const size_t names = layout.Section(layout.names);
  const size_t namesSize = Get(good, names + 20, 4);
  const size_t id = layout.Section(SectionNamed(good, "._tap_id"));
  const size_t program = layout.Section(SectionNamed(good, "._tap_program_name"));
  const uint64_t size = good.size();

  struct Damage {
    const char* what;
    std::function<void(std::string&)> apply;
    bool read;
  };
  auto set = [](size_t offset, uint64_t value, int width) {
    return [=](std::string& image) { Put(image, offset, value, width); };
  };
  auto cut = [](size_t length) { return [=](std::string& image) { image.resize(length); }; };
  const Damage damages[] = {
      {"empty file", cut(0), false},
      {"shorter than the header", cut(51), false},
      {"only the header", cut(52), false},
      {"section table cut short", cut(size - 1), false},
      {"table past the end", set(32, size - 10, 4), false},
      {"table offset wraps", set(32, 0xFFFFFFF0, 4), false},
      {"no sections", set(48, 0, 2), false},
      {"more sections than the file holds", set(48, 0xFFFF, 2), false},
      {"name table index past the table", set(50, layout.count, 2), false},
      {"name table not a string table", set(names + 4, 1, 4), false},
      {"name table past the end", set(names + 16, size - 4, 4), false},
      {"name table size wraps", set(names + 20, 0xFFFFFFFF, 4), false},
      {"name table offset wraps",
       [&](std::string& image) {
         Put(image, names + 16, 0xFFFFFFF0, 4);
         Put(image, names + 20, 0x20, 4);
       },
       false},
      {"id name past the name table", set(id, namesSize, 4), false},
      {"id name far past the name table", set(id, 0xFFFFFFFF, 4), false},
      {"every name past the name table",
       [&](std::string& image) {
         for (size_t i = 0; i < layout.count; ++i)
           Put(image, layout.Section(i), namesSize + i, 4);
       },
       false},
      {"name table without a terminator at its end",
       [&](std::string& image) {
         size_t at = Get(image, names + 16, 4);
         std::memset(&image[at], 'x', namesSize);
       },
       false},
      {"id contents past the end", set(id + 16, size - 2, 4), false},
      {"id of 8 bytes", set(id + 20, 8, 4), false},
      {"program name past the end", set(program + 16, size - 8, 4), true},
      {"program name larger than the file", set(program + 20, 0xFFFFFFFF, 4), true},
  };
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.what);
    std::string image = good;
    damage.apply(image);
    TAPInfo info;
    std::memset(&info, 0, sizeof info);
    EXPECT_EQ(Read(image, info), damage.read);
    if (damage.read) {
      EXPECT_EQ(info.id, 0x8E0A424Eu);
    }
  }

  // Every length the file could be cut to around its headers and sections.
  for (size_t length = 0; length < size; length += (length < 64 || length > size - 64) ? 1 : 97) {
    TAPInfo info;
    EXPECT_FALSE(Read(good.substr(0, length), info)) << "cut to " << length;
  }

  // Random damage to the header, the section table and the name table.
  std::mt19937 random(7);
  std::vector<size_t> regions = {0, layout.table, static_cast<size_t>(Get(good, names + 16, 4))};
  for (int round = 0; round < 400; ++round) {
    std::string image = good;
    int flips = std::uniform_int_distribution<int>(1, 6)(random);
    for (int f = 0; f < flips; ++f) {
      size_t start = regions[random() % regions.size()];
      size_t at = start + random() % 64;
      if (at < image.size()) image[at] = static_cast<char>(random());
    }
    TAPInfo info;
    Read(image, info);
  }
}

TEST_F(ImageReader, RefusesWhatItCannotOpen) {
  TAPInfo info;
  EXPECT_FALSE(HDD_TAP_GetInfo("/ProgramFiles/none.tap", &info));
  EXPECT_FALSE(HDD_TAP_GetInfo("", &info));
  EXPECT_FALSE(HDD_TAP_GetInfo(nullptr, &info));
  EXPECT_FALSE(HDD_TAP_GetInfo("/ProgramFiles", &info));
  stand::WriteFile("/ProgramFiles/image.tap", BuiltImage("test_image_redraw.tap"));
  EXPECT_FALSE(HDD_TAP_GetInfo("/ProgramFiles/image.tap", nullptr));
  EXPECT_EQ(fTAP, -1);
  EXPECT_EQ(LowestFreeDescriptor(), freeDescriptor);
  // Each buffer that cannot be had ends the read cleanly.
  for (size_t n = 1; n <= 3; ++n) {
    stand::FailAllocation(n);
    EXPECT_FALSE(HDD_TAP_GetInfo("/ProgramFiles/image.tap", &info)) << n;
    EXPECT_EQ(stand::Memory().liveBlocks, 0u);
  }
}

class Registry : public ImageReader {
 protected:
  void Put(dword slot, const std::string& image) {
    std::string path = "/ProgramFiles/" + image;
    stand::WriteFile(path, BuiltImage(image));
    stand::SetSlotImage(slot, path);
  }
};

TEST_F(Registry, FindsRunningPlugInsById) {
  Put(1, "test_image_bare.tap");
  Put(2, "test_image_wide_id.tap");
  Put(5, "test_image_redraw.tap");
  Put(6, "test_image_redraw.tap");
  Put(7, "Scrapdeck.tap");

  EXPECT_EQ(HDD_TAP_GetIDByIndex(1), 0x0BA2E000u);
  EXPECT_EQ(HDD_TAP_GetIDByIndex(2), 0u);  // an id of 8 bytes is no id
  EXPECT_EQ(HDD_TAP_GetIDByIndex(5), 0x8E0A424Eu);
  EXPECT_EQ(HDD_TAP_GetIDByIndex(7), dword{SCRAPDECK_ID});
  EXPECT_EQ(HDD_TAP_GetIDByIndex(0), 0u);  // empty
  EXPECT_EQ(HDD_TAP_GetIDByIndex(16), 0u);
  EXPECT_EQ(HDD_TAP_GetIDByIndex(0xFFFFFFFF), 0u);

  EXPECT_EQ(HDD_TAP_GetIndexByID(0x8E0A424E), 5);
  EXPECT_TRUE(HDD_TAP_isRunning(0x8E0A424E));
  EXPECT_TRUE(HDD_TAP_isRunning(SCRAPDECK_ID));
  EXPECT_FALSE(HDD_TAP_isRunning(0x12345678));
  EXPECT_EQ(HDD_TAP_GetIndexByID(0x12345678), -1);
  // An empty slot counts as id 0.
  EXPECT_EQ(HDD_TAP_GetIndexByID(0), 0);
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
  EXPECT_EQ(LowestFreeDescriptor(), freeDescriptor);

  // An image removed from the disk: its plug-in still runs as long as its slots stay as
  // they were (the id was read when they were first asked about); started again from
  // the missing image, it counts as not running.
  std::remove(stand::HostPath("/ProgramFiles/test_image_redraw.tap").c_str());
  EXPECT_TRUE(HDD_TAP_isRunning(0x8E0A424E));
  stand::SetSlotImage(5, "/ProgramFiles/test_image_redraw.tap");
  stand::SetSlotImage(6, "/ProgramFiles/test_image_redraw.tap");
  EXPECT_FALSE(HDD_TAP_isRunning(0x8E0A424E));

  stand::SetFirmwareSymbol("_tapTask", false);
  FIS_TAPTableAddress = nullptr;
  EXPECT_EQ(HDD_TAP_GetIDByIndex(7), 0u);
  EXPECT_FALSE(HDD_TAP_isRunning(SCRAPDECK_ID));
}

// With plug-in 0x8E0A424E in the table the prompt is drawn again on every event that
// reaches it, in the native stand as on the recorder.
TEST(RedrawPlugin, MakesThePromptDrawAgainOnEveryEvent) {
  auto panelDraws = [](bool running) {
    std::istringstream script(std::string(running ? "plugin 3 Plugin_8E0A424E.tap\n" : "") +
                              "file /DataFiles/A.rec 100\nplay /DataFiles/A.rec\nkey STOP\n"
                              "idle 5\nexpect region 170 193 380 190\n");
    stand::ScenarioOptions options;
    options.image = SCRAPDECK_IMAGE;
    options.name = "redraw";
    options.baseDir = SCRAPDECK_BINARY_DIR "/bin";
    size_t draws = 0;
    options.atEnd = [&draws] { draws = Calls(Call::PutGd, {kAny, 0, 0, 380, 190}).size(); };
    std::ostringstream out, err;
    EXPECT_EQ(stand::RunScenario(script, options, out, err), stand::SCENARIO_PASSED) << err.str();
    return draws;
  };
  EXPECT_EQ(panelDraws(false), 1u);
  EXPECT_EQ(panelDraws(true), 5u);  // shown by the first idle event, drawn by each of the others
}

// The ids kept per slot give what reading every image again gives, whatever happened in
// the table between two questions; asking again about an unchanged table reads no file.
TEST_F(Registry, KeptIdsFollowTheTable) {
  auto unkept = [](dword slot) -> dword {
    char path[HDD_PATH_SIZE];
    TAPInfo info;
    return HDD_GetAbsolutePathByTypeFile(FIS_vTAPTable()[slot].file, path) &&
                   HDD_TAP_GetInfo(path, &info)
               ? info.id
               : 0;
  };
  auto image = [](const std::string& path, const char* built) {
    stand::WriteFile(path, BuiltImage(built));
  };
  const std::string same = "/ProgramFiles/Same.tap";
  const struct {
    const char* what;
    std::function<void()> change;
  } steps[] = {
      {"nothing yet", [] {}},
      {"two started", [&] { Put(3, "test_image_bare.tap"), Put(4, "test_image_redraw.tap"); }},
      {"one ended", [] { stand::SetSlotImage(3, ""); }},
      {"replaced by another image", [&] { Put(4, "Scrapdeck.tap"); }},
      {"started from a path",
       [&] { image(same, "test_image_redraw.tap"), stand::SetSlotImage(9, same); }},
      {"replaced from the same path",
       [&] { image(same, "test_image_bare.tap"), stand::SetSlotImage(9, same); }},
      {"an unreadable image started", [&] { Put(3, "test_image_wide_id.tap"); }},
      {"started again in the emptied slot", [&] { Put(3, "test_image_redraw.tap"); }},
      {"sixteen started",
       [&] {
         for (dword slot = 0; slot < TAP_TABLE_SLOTS; ++slot)
           Put(slot, slot % 2 ? "Scrapdeck.tap" : "test_image_redraw.tap");
       }},
      {"all ended",
       [] {
         for (dword slot = 0; slot < TAP_TABLE_SLOTS; ++slot)
           stand::SetSlotImage(slot, "");
       }},
  };
  for (const auto& step : steps) {
    step.change();
    for (dword slot = 0; slot < TAP_TABLE_SLOTS; ++slot)
      EXPECT_EQ(HDD_TAP_GetIDByIndex(slot), unkept(slot)) << step.what << ", slot " << slot;
    const size_t opens = stand::HostCalls("open");
    const bool running = HDD_TAP_isRunning(0x8E0A424E);
    EXPECT_EQ(running, HDD_TAP_GetIndexByID(0x8E0A424E) >= 0) << step.what;
    EXPECT_EQ(stand::HostCalls("open"), opens) << step.what;
  }
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
}

}  // namespace
