// Finding, reading and writing the settings file on the sandbox disk.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/lib/ini/ini_test_support.h"

namespace {

class IniFileTest : public IniTest {};

const char* const NAME = "Test.ini";
const std::string PF = "/ProgramFiles/Test.ini";
const std::string PFS = "/ProgramFiles/Settings/Test.ini";
const std::string APP = "/ProgramFiles/Settings/App/Test.ini";
const std::string CUR = "/DataFiles/Test.ini";

TEST_F(IniFileTest, TheCurrentDirectoryWinsThenTheDeepestFolder) {
  const struct {
    std::vector<std::string> files;
    const char* appName;
    dword location;
    const char* text;  // what is read: the content of the file found
  } cases[] = {
      {{}, nullptr, INILOCATION_NewFile, ""},
      {{PF}, nullptr, INILOCATION_AtProgramFiles, "k=/ProgramFiles/Test.ini\r\n"},
      {{PF, PFS}, nullptr, INILOCATION_AtSettings, "k=/ProgramFiles/Settings/Test.ini\r\n"},
      {{CUR, PFS}, nullptr, INILOCATION_AtCurrentDir, "k=/DataFiles/Test.ini\r\n"},
      {{PF, PFS, APP}, "App", INILOCATION_AtAppName, "k=/ProgramFiles/Settings/App/Test.ini\r\n"},
      {{PFS, APP}, "", INILOCATION_AtSettings, "k=/ProgramFiles/Settings/Test.ini\r\n"},
      {{PF, APP}, "/App", INILOCATION_AtProgramFiles, "k=/ProgramFiles/Test.ini\r\n"},
      {{PF}, "App", INILOCATION_AtProgramFiles, "k=/ProgramFiles/Test.ini\r\n"},
      {{APP}, "App", INILOCATION_AtAppName, "k=/ProgramFiles/Settings/App/Test.ini\r\n"},
  };
  for (const auto& c : cases) {
    SetUp();
    stand::MakeDir("/ProgramFiles/Settings/App");
    for (const std::string& f : c.files)
      stand::WriteFile(f, "k=" + f + "\r\n");
    EXPECT_EQ(INIOpenFile(NAME, c.appName), c.location) << c.files.size();
    EXPECT_EQ(Text(), c.text);
    EXPECT_EQ(CurrentDir(), "/DataFiles");
    INICloseFile();
  }
}

TEST_F(IniFileTest, LocateLeavesTheCurrentDirectoryWhereTheFileWas) {
  const struct {
    std::vector<std::string> files;
    dword location;
    const char* dir;
  } cases[] = {
      {{}, INILOCATION_NotFound, "/DataFiles"},
      {{CUR, PFS}, INILOCATION_AtCurrentDir, "/DataFiles"},
      {{PF}, INILOCATION_AtProgramFiles, "/ProgramFiles"},
      {{PF, PFS}, INILOCATION_AtSettings, "/ProgramFiles/Settings"},
      {{APP}, INILOCATION_AtAppName, "/ProgramFiles/Settings/App"},
  };
  for (const auto& c : cases) {
    SetUp();
    for (const std::string& f : c.files)
      stand::WriteFile(f, "x\r\n");
    EXPECT_EQ(INILocateFile(NAME, "App"), c.location);
    EXPECT_EQ(CurrentDir(), c.dir);
  }
  EXPECT_EQ(INILocateFile(nullptr, nullptr), INILOCATION_NotFound);

  // Without the firmware's plug-in table the way back is unknown: only the current
  // directory is searched.
  SetUp();
  stand::WriteFile(PFS, "x\r\n");
  stand::SetFirmwareSymbol("_tapTask", false);
  EXPECT_EQ(INILocateFile(NAME, nullptr), INILOCATION_NotFound);
  EXPECT_EQ(CurrentDir(), "/DataFiles");
  stand::WriteFile(CUR, "x\r\n");
  EXPECT_EQ(INILocateFile(NAME, nullptr), INILOCATION_AtCurrentDir);
}

TEST_F(IniFileTest, BufferSizeFollowsTheFileLength) {
  const struct {
    std::string bytes;
    dword size;
    std::string text;
  } cases[] = {
      {std::string(998, 'x') + "\r\n", 1536, std::string(998, 'x') + "\r\n"},
      {std::string(1023, 'x') + "\n", 2048, std::string(1023, 'x') + "\n"},
      {"", 1024, "\r\n"},
      {"a=1\r\nb=2", 1024, "a=1\r\nb=2\r\n"},
      {std::string("a=1\r\n\0b=2\r\n", 11), 1024, "a=1\r\n"},
  };
  for (const auto& c : cases) {
    SetUp();
    stand::WriteFile(PFS, c.bytes);
    EXPECT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_AtSettings);
    EXPECT_EQ(BufferSize, c.size);
    EXPECT_EQ(Text(), c.text);
    INICloseFile();
    EXPECT_EQ(BufferSize, 0u);
    EXPECT_EQ(stand::Memory().liveBlocks, 0u);
  }
  SetUp();
  EXPECT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_NewFile);
  EXPECT_EQ(BufferSize, 512u);
}

TEST_F(IniFileTest, SaveWritesWhereTheLocationSays) {
  const struct {
    dword location;
    const char* appName;
    dword result;
    std::string path;
  } cases[] = {
      {INILOCATION_NotFound, nullptr, 1, PF},       {INILOCATION_NewFile, nullptr, 1, PF},
      {INILOCATION_AtCurrentDir, nullptr, 1, CUR},  {INILOCATION_AtAppName, "App", 1, APP},
      {INILOCATION_AtAppName, nullptr, 0, ""},      {INILOCATION_AtAppName, "", 0, ""},
      {INILOCATION_AtAppName, "/App", 0, ""},       {INILOCATION_AtSettings, nullptr, 1, PFS},
      {INILOCATION_AtProgramFiles, nullptr, 1, PF}, {INILOCATION_Invalid, nullptr, 0, ""},
  };
  for (const auto& c : cases) {
    SetUp();
    stand::WriteFile("/DataFiles/Film.rec", "rec");
    std::vector<std::string> before = stand::ListFiles();
    Hold("k=1\r\n");
    EXPECT_EQ(INISaveFile(NAME, c.location, c.appName), c.result) << c.location;
    EXPECT_EQ(CurrentDir(), "/DataFiles");
    std::vector<std::string> expected = before;
    if (!c.path.empty()) {
      expected.push_back(c.path);
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(stand::ReadFile(c.path), "k=1\r\n");
    }
    EXPECT_EQ(stand::ListFiles(), expected) << c.location;
  }
}

TEST_F(IniFileTest, SaveCreatesTheSettingsFolder) {
  std::filesystem::remove_all(stand::HostPath("/ProgramFiles/Settings"));
  Hold("k=1\r\n");
  EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtSettings, nullptr), 1u);
  EXPECT_EQ(stand::ReadFile(PFS), "k=1\r\n");
  // Without /ProgramFiles nothing can be written.
  std::filesystem::remove_all(stand::HostPath("/ProgramFiles"));
  EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtSettings, nullptr), 0u);
  EXPECT_FALSE(stand::Exists("/ProgramFiles"));
  EXPECT_EQ(CurrentDir(), "/DataFiles");
  INICloseFile();
  EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtCurrentDir, nullptr), 0u);
}

TEST_F(IniFileTest, OpenFailuresGiveZeroAndLeakNothing) {
  const struct {
    const char* call;  // host call that fails, or "" for the allocation
    bool bufferLeft;
  } cases[] = {{"", false}, {"Fopen", false}, {"Fread", true}};
  for (const auto& c : cases) {
    SetUp();
    stand::WriteFile(PFS, "timeout=45\r\n");
    if (*c.call)
      stand::FailHostCall(c.call, 1);
    else
      stand::FailAllocation(1);
    EXPECT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_NotFound) << c.call;
    EXPECT_EQ(INIBuffer != nullptr, c.bufferLeft) << c.call;
    EXPECT_EQ(CurrentDir(), "/DataFiles");
    INICloseFile();
    EXPECT_EQ(stand::Memory().liveBlocks, 0u);
  }
  // Not found and no memory for the empty buffer.
  SetUp();
  stand::FailAllocation(1);
  EXPECT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_NotFound);
  EXPECT_EQ(INIBuffer, nullptr);
}

// Whatever single step of a save fails, a complete copy of the settings stays on the
// disk: the old text or the new one, never a stump and never nothing.
TEST_F(IniFileTest, AFailedSaveNeverLosesTheSettings) {
  const std::string oldText = "other=line\r\ntimeout=30\r\n";
  const std::string newText = "other=line\r\ntimeout=45\r\n";
  for (const char* call : {"Fwrite", "Create", "Fopen", "Delete", "ChangeDir"}) {
    for (size_t n = 1; n <= 6; ++n) {
      SetUp();
      stand::WriteFile(PFS, oldText);
      ASSERT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_AtSettings);
      INISetInt("timeout", 45);
      stand::FailHostCall(call, n);
      dword saved = INISaveFile(NAME, INILOCATION_AtSettings, nullptr);
      stand::FailHostCall(call, 0);
      // A failed change back cannot be helped; every other failure finds its way back.
      if (std::string(call) == "ChangeDir")
        stand::SetSlotDir(0, "/DataFiles");
      else
        EXPECT_EQ(CurrentDir(), "/DataFiles") << call << n;
      INICloseFile();
      ASSERT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_AtSettings) << call << n;
      if (saved) {
        EXPECT_EQ(Text(), newText) << call << n;
      } else {
        EXPECT_TRUE(Text() == oldText || Text() == newText) << call << n << Text();
      }
      // The next save puts things right: one file, no backup left.
      EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtSettings, nullptr), 1u);
      EXPECT_EQ(stand::ReadFile(PFS), Text());
      EXPECT_FALSE(stand::Exists(PFS + ".tmp")) << call << n;
      INICloseFile();
      EXPECT_EQ(stand::Memory().liveBlocks, 0u);
    }
  }
}

TEST_F(IniFileTest, AShortWriteKeepsTheOldFileOrTheCompleteBackup) {
  stand::WriteFile(PFS, "timeout=30\r\n");
  ASSERT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_AtSettings);
  INISetInt("timeout", 45);
  // First write: the backup comes up short, the file is untouched.
  stand::FailHostCall("Fwrite", 1);
  EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtSettings, nullptr), 0u);
  EXPECT_EQ(stand::ListFiles("/ProgramFiles"), std::vector<std::string>{PFS});
  EXPECT_EQ(stand::ReadFile(PFS), "timeout=30\r\n");
  // Second write: the file comes up short after the complete backup was made.
  stand::FailHostCall("Fwrite", 2);
  EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtSettings, nullptr), 0u);
  EXPECT_EQ(stand::ListFiles("/ProgramFiles"), std::vector<std::string>{PFS + ".tmp"});
  INICloseFile();
  ASSERT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_AtSettings);
  EXPECT_EQ(INIGetInt("timeout", 30, 1, 59940), 45);
  // A save that fails again keeps that backup; it is the only copy.
  stand::FailHostCall("Fwrite", 1);
  EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtSettings, nullptr), 0u);
  EXPECT_EQ(stand::ReadFile(PFS + ".tmp"), "timeout=45\r\n");
}

TEST_F(IniFileTest, ABackupBesideTheFileIsIgnored) {
  stand::WriteFile(PFS, "timeout=30\r\n");
  stand::WriteFile(PFS + ".tmp", "timeout=45\r\n");
  EXPECT_EQ(INIOpenFile(NAME, nullptr), INILOCATION_AtSettings);
  EXPECT_EQ(Text(), "timeout=30\r\n");
  EXPECT_EQ(INISaveFile(NAME, INILOCATION_AtSettings, nullptr), 1u);
  EXPECT_EQ(stand::ListFiles("/ProgramFiles"), std::vector<std::string>{PFS});
}

}  // namespace
