// Whether a file is played or recorded, and the receiver's record slots.
#include <string>

#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"
#include "stand/firmware_dat.h"
#include "stand/recorder.h"
#include "tests/support/stand_test.h"

namespace {

class InUse : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    stand::SetSlotDir(0, "/DataFiles");
  }
};

TEST_F(InUse, TellsPlaybackAndRecordSlotApart) {
  struct Row {
    const char* name;
    const char* played;  // "" for none
    byte mode;
    dword totalBlock;
    int slot;  // record slot of /DataFiles/x.rec, -1 for none
    dword code;
  } rows[] = {
      {"x.rec", "/DataFiles/x.rec", 2, 1000, -1, IN_USE_PLAYBACK},
      {"x.rec", "/DataFiles/x.rec", 5, 1000, -1, IN_USE_PLAYBACK_MODE5},
      {"/DataFiles/x.rec", "/DataFiles/x.rec", 2, 1000, -1, IN_USE_PLAYBACK},
      {"/mnt/hd/DataFiles/x.rec", "/DataFiles/x.rec", 2, 1000, -1, IN_USE_PLAYBACK},
      {"x.rec.inf", "/DataFiles/x.rec", 2, 1000, -1, IN_USE_PLAYBACK},
      // Only a trailing ".inf" is dropped from the name asked about.
      {"x.rec.nav", "/DataFiles/x.rec", 2, 1000, -1, IN_USE_NONE},
      {"x.rec", "/DataFiles/x.rec", 2, 0, -1, IN_USE_NONE},
      {"x.rec", "/DataFiles/x.rec", 0, 1000, -1, IN_USE_NONE},
      {"x.REC", "/DataFiles/x.rec", 2, 1000, -1, IN_USE_NONE},
      {"x.rec", "/DataFiles/Films/x.rec", 2, 1000, -1, IN_USE_NONE},
      {"x.rec", "", 0, 0, 0, IN_USE_RECORDING_BASE},
      {"x.rec", "", 0, 0, 1, IN_USE_RECORDING_BASE + 1},
      {"x.rec.inf", "", 0, 0, 1, IN_USE_RECORDING_BASE + 1},
      {"x.rec", "/DataFiles/x.rec", 2, 1000, 1, IN_USE_PLAYBACK},
      {"y.rec", "/DataFiles/x.rec", 2, 1000, 1, IN_USE_NONE},
      {"./x.rec", "/DataFiles/x.rec", 2, 1000, 0, IN_USE_NONE},
      {"", "/DataFiles/x.rec", 2, 1000, 0, IN_USE_NONE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " / " + row.played);
    stand::StopPlay();
    for (dword slot = 0; slot < 2; ++slot)
      stand::StopRecording(slot);
    if (*row.played) {
      stand::Play(row.played, row.mode);
      stand::PlayInfo().totalBlock = row.totalBlock;
    }
    if (row.slot >= 0) {
      ASSERT_TRUE(stand::Record(row.slot, "/DataFiles/x.rec"));
    }
    EXPECT_EQ(HDD_isFileInUse(row.name), row.code);
  }
  EXPECT_EQ(HDD_isFileInUse(nullptr), IN_USE_NONE);
}

TEST_F(InUse, APlaybackOrSlotWithoutAPathMatchesNothing) {
  stand::Play("/DataFiles/x.rec");
  stand::PlayInfo().file = stand::FileRecord("");
  stand::RecordFileArray()[0].file = stand::FileRecord("");
  EXPECT_EQ(HDD_isFileInUse("x.rec"), IN_USE_NONE);
  stand::PlayInfo().file = nullptr;
  EXPECT_EQ(HDD_isFileInUse("x.rec"), IN_USE_NONE);
  // Without the record-file array no slot is searched.
  ASSERT_TRUE(stand::Record(0, "/DataFiles/x.rec"));
  EXPECT_EQ(HDD_isFileInUse("x.rec"), IN_USE_RECORDING_BASE);
  stand::SetFirmwareSymbol("_hddRecordFile", false);
  FIS_hddRecordFileAddress = nullptr;
  EXPECT_EQ(HDD_isFileInUse("x.rec"), IN_USE_NONE);
}

TEST_F(InUse, RecordSlotCountComesFromTheModelTableOnce) {
  struct Row {
    std::string table;  // "" for no file
    dword systemId;
    dword slots;
  } rows[] = {
      {"", 0x1234, 2},
      {MakeFirmwareDat({{0x1234, 4}}), 0x1234, 4},
      {MakeFirmwareDat({{0x1111, 3}, {0x1234, 1}, {0x1234, 4}}), 0x1234, 1},
      {MakeFirmwareDat({{0x1234, 4}}), 0x71234, 4},  // only the low 16 bits count
      {MakeFirmwareDat({{0x1111, 3}}), 0x1234, 2},
      {MakeFirmwareDat({{0x1234, 0}}), 0x1234, 2},
      // A damaged count never walks the record-file array far past its end.
      {MakeFirmwareDat({{0x1234, 0xFFFFFFFF}}), 0x1234, HDD_REC_SLOTS_MAX},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.slots);
    stand::Reset();
    ResetToolkitState();
    MaxRecStreams = 0;
    stand::SetSystemId(row.systemId);
    if (!row.table.empty()) WriteFirmwareDat("/ProgramFiles/Settings", row.table);
    EXPECT_EQ(HDD_NumberOfRECSlots(), row.slots);
    // Kept: a table written later is not read.
    WriteFirmwareDat("/ProgramFiles/Settings", MakeFirmwareDat({{0x1234, 3}}));
    EXPECT_EQ(HDD_NumberOfRECSlots(), row.slots);
  }
}

TEST_F(InUse, RecSlotFilesHandsOutTheSlotsEntry) {
  ASSERT_TRUE(stand::Record(1, "/DataFiles/x.rec"));
  TYPE_RecordFile* array = stand::RecordFileArray();
  int second = 0, third = 0;
  array[1].second = &second;
  array[1].third = &third;

  TYPE_File* file = nullptr;
  void* two = nullptr;
  void* three = nullptr;
  EXPECT_TRUE(HDD_GetRecSlotFiles(1, &file, &two, &three));
  EXPECT_EQ(file, array[1].file);
  EXPECT_EQ(two, &second);
  EXPECT_EQ(three, &third);
  EXPECT_TRUE(HDD_GetRecSlotFiles(1, nullptr, nullptr, nullptr));

  // An idle slot is a slot all the same.
  EXPECT_TRUE(HDD_GetRecSlotFiles(0, &file, &two, &three));
  EXPECT_EQ(file, nullptr);

  // Slots beyond the receiver's count are not slots: every output is null.
  for (byte slot : {byte{2}, byte{7}, byte{255}}) {
    file = array[1].file;
    two = three = &second;
    EXPECT_FALSE(HDD_GetRecSlotFiles(slot, &file, &two, &three));
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(two, nullptr);
    EXPECT_EQ(three, nullptr);
  }
  stand::SetFirmwareSymbol("_hddRecordFile", false);
  FIS_hddRecordFileAddress = nullptr;
  file = reinterpret_cast<TYPE_File*>(&second);
  EXPECT_FALSE(HDD_GetRecSlotFiles(1, &file, nullptr, nullptr));
  EXPECT_EQ(file, nullptr);
}

}  // namespace
