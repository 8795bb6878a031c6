// The model table file "FirmwareTMS.dat", written by each test onto the sandbox disk.
#include <optional>

#include "lib/firmware/firmware.h"
#include "stand/firmware_dat.h"
#include "tests/support/stand_test.h"

namespace {

constexpr const char* kSettings = "/ProgramFiles/Settings";
constexpr const char* kProgramFiles = "/ProgramFiles";

class ModelTableTest : public StandTest {};

struct Case {
  const char* what;
  std::optional<std::string> inSettings;
  std::optional<std::string> inProgramFiles;
  bool loads;
  dword models;     // header count when loaded
  word firstSysId;  // first record's id when loaded
};

std::string Valid(word sysId, size_t count = 1) {
  std::vector<FirmwareDatModel> models;
  for (size_t i = 0; i < count; ++i)
    models.push_back({static_cast<word>(sysId + i), static_cast<dword>(2 + i)});
  return MakeFirmwareDat(models);
}

// Two models with a changed header or a trailer.
std::string With(const FirmwareDatLayout& layout) {
  return MakeFirmwareDat({{0x1111, 1}, {0x2222, 2}}, layout);
}

TEST_F(ModelTableTest, LoadsTheFirstFileFoundAndChecksIt) {
  FirmwareDatLayout countThree;
  countThree.modelCount = 3;
  FirmwareDatLayout countHuge;
  countHuge.modelCount = 0xFFFFFFFF;
  FirmwareDatLayout word8;
  word8.word8 = 1;
  FirmwareDatLayout magic;
  magic.magic = 0x78563412;
  FirmwareDatLayout empty;
  empty.modelCount = 0;
  empty.trailer = std::string(100, 'x');
  FirmwareDatLayout trailer;
  trailer.trailer = "more";

  const Case cases[] = {
      {"none at all", std::nullopt, std::nullopt, false, 0, 0},
      {"under Settings", Valid(0x4001), std::nullopt, true, 1, 0x4001},
      {"in the plug-in folder", std::nullopt, Valid(0x4002, 3), true, 3, 0x4002},
      {"both: Settings wins", Valid(0x4003), Valid(0x4004), true, 1, 0x4003},
      {"both: a bad one under Settings is not passed over", MakeFirmwareDat({}, word8),
       Valid(0x4004), false, 0, 0},
      {"value at offset 8 not zero", MakeFirmwareDat({{1, 2}}, word8), std::nullopt, false, 0, 0},
      {"wrong magic", MakeFirmwareDat({{1, 2}}, magic), std::nullopt, false, 0, 0},
      {"empty file", std::string(), std::nullopt, false, 0, 0},
      {"shorter than the header", Valid(1).substr(0, 19), std::nullopt, false, 0, 0},
      {"header only, no models", MakeFirmwareDat({}), std::nullopt, true, 0, 0},
      {"no models, bytes after the header", MakeFirmwareDat({}, empty), std::nullopt, true, 0, 0},
      {"bytes after the records", With(trailer), std::nullopt, true, 2, 0x1111},
      {"count beyond the records", With(countThree), std::nullopt, false, 0, 0},
      {"last record cut short", Valid(1, 2).substr(0, 20 + 348 + 347), std::nullopt, false, 0, 0},
      {"count that overflows", With(countHuge), std::nullopt, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    stand::Reset();
    ResetToolkitState();
    if (c.inSettings) WriteFirmwareDat(kSettings, *c.inSettings);
    if (c.inProgramFiles) WriteFirmwareDat(kProgramFiles, *c.inProgramFiles);

    const TYPE_FirmwareDatHeader* header = nullptr;
    const TYPE_FirmwareDatModel* models = nullptr;
    ASSERT_EQ(LoadFirmwareDat(&header, &models), c.loads);
    if (!c.loads) {
      EXPECT_EQ(FWDATBin, nullptr);
      EXPECT_EQ(stand::Memory().liveBlocks, 0u);
      continue;
    }
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(reinterpret_cast<const byte*>(header), FWDATBin);
    EXPECT_EQ(reinterpret_cast<const byte*>(models), FWDATBin + 20);
    EXPECT_EQ(header->magic, 0x12345678u);
    EXPECT_EQ(header->modelCount, c.models);
    // The whole file is held, in a block of exactly its size.
    size_t size = (c.inSettings ? *c.inSettings : *c.inProgramFiles).size();
    EXPECT_EQ(stand::BlockSize(FWDATBin), size);
    if (c.models) {
      EXPECT_EQ(models[0].sysId, c.firstSysId);
    }
  }
}

TEST_F(ModelTableTest, RecordsAreReadInPlace) {
  WriteFirmwareDat(kSettings, MakeFirmwareDat({{0x1234, 1}, {0xABCD, 4}, {0x0406, 3}}));
  const TYPE_FirmwareDatModel* models = nullptr;
  ASSERT_TRUE(LoadFirmwareDat(nullptr, &models));
  EXPECT_EQ(models[1].sysId, 0xABCD);
  EXPECT_EQ(models[1].recordSlots, 4u);
  EXPECT_EQ(models[2].sysId, 0x0406);
  EXPECT_EQ(models[2].recordSlots, 3u);
  EXPECT_TRUE(LoadFirmwareDat(nullptr, nullptr));
}

TEST_F(ModelTableTest, ValidTableIsReadOnceAndKept) {
  WriteFirmwareDat(kSettings, Valid(0x0501));
  const TYPE_FirmwareDatHeader* first = nullptr;
  ASSERT_TRUE(LoadFirmwareDat(&first, nullptr));
  WriteFirmwareDat(kSettings, Valid(0x0777, 2));
  const TYPE_FirmwareDatHeader* again = nullptr;
  const TYPE_FirmwareDatModel* models = nullptr;
  ASSERT_TRUE(LoadFirmwareDat(&again, &models));
  EXPECT_EQ(again, first);
  EXPECT_EQ(models[0].sysId, 0x0501);
  EXPECT_EQ(stand::Memory().liveBlocks, 1u);
}

TEST_F(ModelTableTest, RejectedOrMissingTableIsTriedAgain) {
  EXPECT_FALSE(LoadFirmwareDat(nullptr, nullptr));
  FirmwareDatLayout word8;
  word8.word8 = 1;
  WriteFirmwareDat(kProgramFiles, MakeFirmwareDat({{7, 2}}, word8));
  EXPECT_FALSE(LoadFirmwareDat(nullptr, nullptr));
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);

  stand::FailAllocation(1);
  WriteFirmwareDat(kProgramFiles, Valid(7));
  EXPECT_FALSE(LoadFirmwareDat(nullptr, nullptr));

  const TYPE_FirmwareDatModel* models = nullptr;
  ASSERT_TRUE(LoadFirmwareDat(nullptr, &models));
  EXPECT_EQ(models[0].sysId, 7);
}

}  // namespace
