// The plug-in's current directory: reading it, changing it and the directory stack.
#include <cstring>
#include <string>

#include "lib/hdd/hdd.h"
#include "tests/support/stand_test.h"

namespace {

class CurrentDirTest : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    stand::SetCurrentSlot(3);
    At("/DataFiles");
  }
  void At(const std::string& dir) { stand::SetSlotDir(3, dir); }
  std::string Here() { return stand::SlotDir(3); }
  std::string Current() {
    char dir[HDD_PATH_SIZE] = "junk";
    EXPECT_EQ(HDD_TAP_GetCurrentDir(dir), 0);
    return dir;
  }
};

TEST_F(CurrentDirTest, CurrentDirectoryIsReadFromThisPluginsSlot) {
  EXPECT_EQ(Current(), "/DataFiles");
  At("/ProgramFiles/Settings");
  EXPECT_EQ(Current(), "/ProgramFiles/Settings");
  At("/");
  EXPECT_EQ(Current(), "");
  EXPECT_EQ(HDD_TAP_GetCurrentDir(nullptr), 0);
  EXPECT_EQ(TAP_TableIndex, 3);

  // The slot is learned once: code run for another plug-in later reads ours.
  stand::SetCurrentSlot(4);
  stand::SetSlotDir(4, "/DataFiles");
  EXPECT_EQ(Current(), "");
}

TEST_F(CurrentDirTest, MissingFirmwareObjectsGiveNoDirectory) {
  char dir[HDD_PATH_SIZE] = "junk";
  stand::SetFirmwareSymbol("_curTapTask", false);
  EXPECT_EQ(HDD_TAP_GetCurrentDir(dir), -3);
  EXPECT_STREQ(dir, "");
  EXPECT_FALSE(InitTAPex());
  EXPECT_FALSE(LibInitialized);
  stand::SetFirmwareSymbol("_curTapTask", true);
  EXPECT_EQ(Current(), "/DataFiles");

  ResetToolkitState();
  stand::SetFirmwareSymbol("_tapTask", false);
  std::strcpy(dir, "junk");
  EXPECT_EQ(HDD_TAP_GetCurrentDir(dir), -3);
  EXPECT_STREQ(dir, "");
  EXPECT_EQ(HDD_TAP_GetCurrentDir(nullptr), -3);
}

TEST_F(CurrentDirTest, OddDirectoryRecordsGiveNoDirectory) {
  // A slot index outside the table is not taken.
  stand::SetCurrentSlot(TAP_TABLE_SLOTS);
  EXPECT_FALSE(InitTAPex());
  stand::SetCurrentSlot(3);

  TYPE_TapEntry& entry = stand::TapTable()[3];
  char dir[HDD_PATH_SIZE] = "junk";
  entry.dir = nullptr;
  EXPECT_EQ(HDD_TAP_GetCurrentDir(dir), 0);
  EXPECT_STREQ(dir, "");

  TYPE_TapDir record{};
  entry.dir = &record;
  std::strcpy(dir, "junk");
  EXPECT_EQ(HDD_TAP_GetCurrentDir(dir), 0);
  EXPECT_STREQ(dir, "");

  // Too short to hold "/mnt/hd": nothing past its end is read.
  char shortText[] = "/mnt";
  record.path = shortText;
  std::strcpy(dir, "junk");
  EXPECT_EQ(HDD_TAP_GetCurrentDir(dir), -3);
  EXPECT_STREQ(dir, "");
}

TEST_F(CurrentDirTest, SuccessValueIsLearnedOnceFromProgramFiles) {
  for (int success : {0, 1, 7}) {
    SCOPED_TRACE(success);
    stand::Reset();
    ResetToolkitState();
    stand::SetCurrentSlot(3);
    At("/DataFiles");
    stand::SetChangeDirSuccess(success);

    EXPECT_TRUE(HDD_ChangeDir("/ProgramFiles/Settings"));
    EXPECT_EQ(ChDirSuccessful, success);
    EXPECT_FALSE(ReturnTypeToBeChecked);
    EXPECT_EQ(Here(), "/ProgramFiles/Settings");
    EXPECT_EQ(TAPDirStackDepth, -1);
    EXPECT_FALSE(HDD_ChangeDir("/Missing"));
    EXPECT_EQ(Here(), "/ProgramFiles/Settings");

    // Learned for good: a host that now answers otherwise is not believed.
    stand::SetChangeDirSuccess(success + 1);
    EXPECT_FALSE(HDD_ChangeDir("/DataFiles"));
  }
}

TEST_F(CurrentDirTest, LearningTheSuccessValueReturnsToWhereThePluginWas) {
  EXPECT_FALSE(HDD_ChangeDir(""));
  EXPECT_FALSE(ReturnTypeToBeChecked);
  EXPECT_EQ(ChDirSuccessful, 1);
  EXPECT_EQ(Here(), "/DataFiles");
  EXPECT_EQ(TAPDirStackDepth, -1);
  EXPECT_FALSE(HDD_ChangeDir(nullptr));
  EXPECT_FALSE(HDD_ChangeDir(""));
  EXPECT_EQ(Here(), "/DataFiles");
}

TEST_F(CurrentDirTest, LearningAtTheDiskRootReturnsToTheRoot) {
  At("/");
  EXPECT_FALSE(HDD_ChangeDir(nullptr));
  EXPECT_EQ(Here(), "");
  EXPECT_EQ(Current(), "");
}

TEST_F(CurrentDirTest, LearningWithAFullStackLeavesTheCallersEntries) {
  for (int i = 0; i < 16; ++i)
    ASSERT_TRUE(HDD_TAP_PushDir());
  At("/ProgramFiles/Settings");
  EXPECT_TRUE(HDD_ChangeDir("/ProgramFiles"));
  EXPECT_EQ(TAPDirStackDepth, 15);
  EXPECT_TRUE(HDD_TAP_PopDir());
  EXPECT_EQ(Here(), "/DataFiles");
}

TEST_F(CurrentDirTest, ChangesToEveryPathForm) {
  struct Row {
    const char* from;
    const char* directory;
    const char* result;  // where the plug-in stands afterwards
    bool changed;
  } rows[] = {
      {"/ProgramFiles", "Settings", "/ProgramFiles/Settings", true},
      {"/ProgramFiles", "Settings/", "/ProgramFiles/Settings", true},
      {"/ProgramFiles", "/mnt/hd/DataFiles", "/DataFiles", true},
      {"/ProgramFiles", "/mnt/hd/DataFiles/", "/DataFiles", true},
      {"/ProgramFiles", "/DataFiles", "/DataFiles", true},
      {"/ProgramFiles/Settings", "..", "/ProgramFiles", true},
      {"/ProgramFiles", "/", "", true},
      {"/ProgramFiles", "/mnt/hd", "", true},
      {"/", "DataFiles", "/DataFiles", true},
      {"/ProgramFiles", "Missing", "/ProgramFiles", false},
      {"/ProgramFiles", "/mnt/usb/", "/ProgramFiles", false},
  };
  for (const Row& r : rows) {
    At(r.from);
    EXPECT_EQ(HDD_ChangeDir(r.directory), r.changed) << r.directory << " from " << r.from;
    EXPECT_EQ(Here(), r.result) << r.directory << " from " << r.from;
  }
  std::string longName(600, 'd');
  EXPECT_FALSE(HDD_ChangeDir(longName.c_str()));
}

TEST_F(CurrentDirTest, StackHoldsSixteenDirectoriesAndReturnsInReverseOrder) {
  for (int i = 0; i < 16; ++i)
    stand::MakeDir("/DataFiles/D" + std::to_string(i));
  for (int i = 0; i < 16; ++i) {
    At("/DataFiles/D" + std::to_string(i));
    ASSERT_TRUE(HDD_TAP_PushDir()) << i;
  }
  At("/ProgramFiles");
  EXPECT_FALSE(HDD_TAP_PushDir());
  EXPECT_EQ(TAPDirStackDepth, 15);
  for (int i = 15; i >= 0; --i) {
    ASSERT_TRUE(HDD_TAP_PopDir()) << i;
    EXPECT_EQ(Here(), "/DataFiles/D" + std::to_string(i));
  }
  EXPECT_FALSE(HDD_TAP_PopDir());
  EXPECT_EQ(TAPDirStackDepth, -1);
  EXPECT_EQ(Here(), "/DataFiles/D0");
}

TEST_F(CurrentDirTest, DiskRootIsSavedAndReturnedTo) {
  At("/");
  ASSERT_TRUE(HDD_TAP_PushDir());
  EXPECT_STREQ(TAPDirStack[0], "");
  ASSERT_TRUE(HDD_ChangeDir("/ProgramFiles/Settings"));
  EXPECT_TRUE(HDD_TAP_PopDir());
  EXPECT_EQ(Here(), "");
}

TEST_F(CurrentDirTest, DirectoryTooLongForAnEntryIsNotSaved) {
  // Folder names are limited by the host, so the long directory is nested.
  std::string fits = "/" + std::string(100, 'a') + "/" + std::string(97, 'b');  // 199
  std::string tooLong = fits + "c";                                             // 200
  stand::MakeDir(fits);
  stand::MakeDir(tooLong);

  At(tooLong);
  ASSERT_TRUE(HDD_ChangeDir(tooLong.c_str()));
  EXPECT_FALSE(HDD_TAP_PushDir());
  EXPECT_EQ(TAPDirStackDepth, -1);

  At(fits);
  ASSERT_TRUE(HDD_TAP_PushDir());
  At("/DataFiles");
  ASSERT_TRUE(HDD_TAP_PopDir());
  EXPECT_EQ(Here(), fits);
}

TEST_F(CurrentDirTest, FirstChangeOfAllInsideAPopKeepsTheSavedDirectory) {
  // The pop's own change learns the success value with a push and pop of its own,
  // which reuse the entry being popped.
  ASSERT_TRUE(HDD_TAP_PushDir());
  At("/ProgramFiles");
  EXPECT_TRUE(ReturnTypeToBeChecked);
  EXPECT_TRUE(HDD_TAP_PopDir());
  EXPECT_EQ(Here(), "/DataFiles");
}

class Utf8DirTest : public CurrentDirTest {
 protected:
  void SetUp() override {
    CurrentDirTest::SetUp();
    // The disk holds the name in UTF-8 only; the caller has it in ISO 8859-9.
    stand::MakeDir("/DataFiles/Gr\xC3\xBCn");
  }
};

TEST_F(Utf8DirTest, FolderKnownOnlyInUtf8IsEnteredOnAUtf8Firmware) {
  stand::SetFirmwareSymbol("_Z26Appl_ConvertToValidUTF8StrPhi", true);
  EXPECT_TRUE(HDD_ChangeDir("/DataFiles/Gr\xFCn"));
  EXPECT_EQ(Here(), "/DataFiles/Gr\xC3\xBCn");
  At("/DataFiles");
  EXPECT_TRUE(HDD_ChangeDir("Gr\xFCn"));
  EXPECT_EQ(Here(), "/DataFiles/Gr\xC3\xBCn");
  At("/DataFiles");
  EXPECT_FALSE(HDD_ChangeDir("Bl\xFC"));
  EXPECT_EQ(Here(), "/DataFiles");
}

TEST_F(Utf8DirTest, PlainFirmwareDoesNotRetry) {
  EXPECT_FALSE(HDD_ChangeDir("/DataFiles/Gr\xFCn"));
  EXPECT_EQ(Here(), "/DataFiles");
}

TEST_F(Utf8DirTest, Utf8FormTooLongForAPathIsNotTried) {
  stand::SetFirmwareSymbol("_Z26Appl_ConvertToValidUTF8StrPhi", true);
  // 250 bytes of 0xFC become 500 bytes of UTF-8: too long with the folder before it.
  std::string latin = "/DataFiles/" + std::string(250, '\xFC');
  std::string utf8 = "/DataFiles/";
  for (int i = 0; i < 250; ++i)
    utf8 += "\xC3\xBC";
  stand::MakeDir(utf8.substr(0, 11 + 2 * 120));  // a name the host can hold
  EXPECT_FALSE(HDD_ChangeDir(latin.c_str()));
  EXPECT_EQ(Here(), "/DataFiles");
  // The same with a short enough name is taken.
  EXPECT_TRUE(HDD_ChangeDir(latin.substr(0, 11 + 120).c_str()));
  EXPECT_EQ(Here(), utf8.substr(0, 11 + 2 * 120));
}

}  // namespace
