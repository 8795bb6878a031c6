// The settings table: loading, key handling and writing back what changed.
#include <string>
#include <vector>

#include "tests/settings/settings_test_support.h"

namespace {

class ConfigTest : public SettingsTest {};

TEST_F(ConfigTest, LoadTakesValuesFromTheFileClampedOrDefaulted) {
  const struct {
    const char* file;  // null: no file
    int promptOn;
    int timeout;
  } cases[] = {
      {nullptr, 0, 30},
      {"prompt_on=1\r\ntimeout=45\r\n", 1, 45},
      {"PROMPT_ON=2\nTimeOut=600\n", 2, 600},
      {"timeout=0\r\n", 0, 1},
      {"timeout=abc\r\n", 0, 30},
      {"prompt_on=7\r\n", 2, 30},
      {"prompt_on=-1\r\ntimeout=99999\r\n", 0, 59940},
      {"timeout=000000000000120\r\n", 0, 120},
      {"timeout=45\rprompt_on=1\r", 1, 45},
      {"timeout=45\rprompt_on=1\n", 1, 45},  // a CR alone ends a line, whatever follows
      {"timeout=45", 0, 45},
  };
  for (const auto& c : cases) {
    SetUp();
    if (c.file) stand::WriteFile(SettingsPath(), c.file);
    config_init();
    EXPECT_EQ(PromptOn(), c.promptOn) << (c.file ? c.file : "no file");
    EXPECT_EQ(Timeout(), c.timeout) << (c.file ? c.file : "no file");
    EXPECT_EQ(config_value_save[0], c.promptOn);
    EXPECT_EQ(config_value_save[1], c.timeout);
    EXPECT_EQ(stand::Memory().liveBlocks, 0u);
    EXPECT_EQ(stand::SlotDir(0), "/DataFiles");
  }
  // Nothing is written at start.
  EXPECT_EQ(stand::ReadFile(SettingsPath()), "timeout=45");
}

TEST_F(ConfigTest, LoadFailuresLeaveTheDefaults) {
  for (size_t k = 1; k <= 2; ++k) {
    SetUp();
    stand::WriteFile(SettingsPath(), "prompt_on=1\r\ntimeout=45\r\n");
    stand::FailAllocation(k);
    config_init();
    bool failed = stand::Memory().allocations >= k;
    EXPECT_EQ(PromptOn(), failed ? 0 : 1) << k;
    EXPECT_EQ(Timeout(), failed ? 30 : 45) << k;
    EXPECT_EQ(stand::Memory().liveBlocks, 0u);
    EXPECT_EQ(stand::SlotDir(0), "/DataFiles");
  }
  SetUp();
  stand::WriteFile(SettingsPath(), "prompt_on=1\r\ntimeout=45\r\n");
  stand::FailHostCall("Fread", 1);
  config_init();
  EXPECT_EQ(Timeout(), 30);
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
}

TEST_F(ConfigTest, KeysWhileTheWindowIsOpen) {
  const struct {
    int row, promptOn, timeout;
    dword key;
    dword result;
    int rowAfter, promptOnAfter, timeoutAfter;
  } cases[] = {
      {0, 0, 30, KEY_LEFT, 0, 0, 2, 30},        {0, 2, 30, KEY_RIGHT, 0, 0, 0, 30},
      {0, 1, 30, KEY_RIGHT, 0, 0, 2, 30},       {1, 0, 1, KEY_LEFT, 0, 1, 0, 1},
      {1, 0, 59940, KEY_RIGHT, 0, 1, 0, 59940}, {1, 0, 30, KEY_LEFT, 0, 1, 0, 29},
      {1, 0, 30, KEY_RIGHT, 0, 1, 0, 31},       {0, 0, 30, KEY_UP, 0, 1, 0, 30},
      {1, 0, 30, KEY_DOWN, 0, 0, 0, 30},        {0, 0, 30, KEY_DOWN, 0, 1, 0, 30},
      {1, 0, 30, KEY_STOP, KEY_STOP, 1, 0, 30}, {0, 0, 30, KEY_RED, KEY_RED, 0, 0, 30},
      {0, 0, 30, 0x10001, 0x10001, 0, 0, 30},   {0, 1, 45, KEY_OK, 0, -1, 1, 45},
      {1, 1, 45, KEY_EXIT, 0, -1, 1, 45},       {0, 1, 45, KEY_SETTINGS, 0, -1, 1, 45},
  };
  for (const auto& c : cases) {
    SetUp();
    config[0].value = c.promptOn;
    config[1].value = c.timeout;
    config_set();
    ix = c.row;
    EXPECT_EQ(config_chk(c.key), c.result) << std::hex << c.key;
    EXPECT_EQ(ix, c.rowAfter) << std::hex << c.key;
    EXPECT_EQ(PromptOn(), c.promptOnAfter) << std::hex << c.key;
    EXPECT_EQ(Timeout(), c.timeoutAfter) << std::hex << c.key;
    EXPECT_EQ(win != nullptr, c.rowAfter >= 0);
  }
}

TEST_F(ConfigTest, KeysPassWhileTheWindowIsClosed) {
  for (dword key : {KEY_LEFT, KEY_OK, KEY_EXIT, KEY_SETTINGS, KEY_STOP}) {
    EXPECT_EQ(config_chk(key), key);
  }
  EXPECT_EQ(Timeout(), 30);
  EXPECT_EQ(win, nullptr);
}

TEST_F(ConfigTest, CursorSkipsDisabledRows) {
  config_set();
  config_disabled[1] = 1;
  EXPECT_EQ(config_chk(KEY_DOWN), 0u);
  EXPECT_EQ(ix, 0);
  EXPECT_EQ(config_chk(KEY_UP), 0u);
  EXPECT_EQ(ix, 0);
}

// Drives the window: open it, press the keys, close with KEY_OK.
void Edit(const std::vector<dword>& keys) {
  config_set();
  for (dword key : keys)
    EXPECT_EQ(config_chk(key), 0u);
  EXPECT_EQ(config_chk(KEY_OK), 0u);
  EXPECT_EQ(ix, -1);
}

TEST_F(ConfigTest, CloseWritesOnlyWhatChangedAndKeepsOtherLines) {
  const std::string other = "; my notes\r\nOther=keep  me\r\nPROMPT_ON=1\nx=y\rz\n";
  const struct {
    std::vector<dword> keys;
    bool written;
    std::string file;  // after the close
  } cases[] = {
      {{}, false, other},
      {{KEY_DOWN, KEY_RIGHT, KEY_LEFT}, false, other},
      {{KEY_DOWN, KEY_RIGHT}, true, other + "timeout=31\r\n"},
      {{KEY_LEFT}, true, "; my notes\r\nOther=keep  me\r\nprompt_on=0\nx=y\rz\n"},
  };
  for (const auto& c : cases) {
    SetUp();
    stand::WriteFile(SettingsPath(), other);
    config_init();
    stand::ClearTrace();
    Edit(c.keys);
    EXPECT_EQ(stand::ReadFile(SettingsPath()), c.file);
    EXPECT_EQ(!Calls(Call::HddDelete, {}, stand::Trace()).empty(), c.written);
    EXPECT_EQ(stand::ListFiles("/ProgramFiles"), std::vector<std::string>{SettingsPath()});
    EXPECT_EQ(stand::Memory().liveBlocks, 0u);
    EXPECT_EQ(stand::SlotDir(0), "/DataFiles");
  }
}

TEST_F(ConfigTest, NoFileYetGetsOneWithTheChangedValuesOnly) {
  config_init();
  Edit({});
  EXPECT_FALSE(stand::Exists(SettingsPath()));
  Edit({KEY_DOWN, KEY_RIGHT});
  EXPECT_EQ(stand::ReadFile(SettingsPath()), "timeout=31\r\n");
  // The value written counts as saved: closing again writes nothing more.
  stand::WriteFile(SettingsPath(), "timeout=31\r\n");
  Edit({});
  EXPECT_EQ(stand::ReadFile(SettingsPath()), "timeout=31\r\n");
}

TEST_F(ConfigTest, ACopyInTheCurrentDirectoryIsReadButSavingGoesToSettings) {
  stand::WriteFile(SettingsPath(), "timeout=45\r\n");
  stand::WriteFile("/DataFiles/Scrapdeck.ini", "timeout=90\r\n");
  config_init();
  EXPECT_EQ(Timeout(), 90);
  Edit({KEY_DOWN, KEY_RIGHT});
  EXPECT_EQ(stand::ReadFile(SettingsPath()), "timeout=91\r\n");
  EXPECT_EQ(stand::ReadFile("/DataFiles/Scrapdeck.ini"), "timeout=90\r\n");
}

TEST_F(ConfigTest, SavesFromEveryFolderTheHostReportsAndComesBack) {
  // 199 and 200 characters, and the deepest the stand holds.
  for (size_t length : {199u, 200u, 504u}) {
    SetUp();
    std::string deep = "/DataFiles";
    while (deep.size() + 101 < length)
      deep += "/" + std::string(100, 'd');
    deep += "/" + std::string(length - deep.size() - 1, 'e');
    ASSERT_EQ(deep.size(), length);
    stand::MakeDir(deep);
    stand::WriteFile(SettingsPath(), "timeout=45\r\n");
    config_init();
    stand::SetSlotDir(0, deep);
    Edit({KEY_DOWN, KEY_RIGHT});
    EXPECT_EQ(stand::ReadFile(SettingsPath()), "timeout=46\r\n") << length;
    EXPECT_EQ(stand::SlotDir(0), deep);
  }
}

// Every allocation of a close fails in turn: the values stay as edited, the file
// keeps its other lines and each value is the old or the new one, nothing leaks.
TEST_F(ConfigTest, FailuresAtCloseChangeNothingTheyShouldNot) {
  auto file = [](int timeout, int promptOn) {
    return "a=1\r\ntimeout=" + std::to_string(timeout) +
           "\r\nprompt_on=" + std::to_string(promptOn) + "\r\n";
  };
  const std::string before = file(30, 0);
  struct Fault {
    const char* call;  // "" for an allocation
    size_t n;
  };
  std::vector<Fault> faults;
  for (size_t k = 1; k <= 5; ++k)
    faults.push_back({"", k});
  for (size_t n = 1; n <= 2; ++n)
    faults.push_back({"Fwrite", n});
  faults.push_back({"Fread", 1});
  for (const Fault& f : faults) {
    SetUp();
    stand::WriteFile(SettingsPath(), before);
    config_init();
    config_set();
    config_chk(KEY_LEFT);
    config_chk(KEY_DOWN);
    config_chk(KEY_RIGHT);
    if (*f.call)
      stand::FailHostCall(f.call, f.n);
    else
      stand::FailAllocation(f.n);
    EXPECT_EQ(config_chk(KEY_OK), 0u);
    EXPECT_EQ(stand::Memory().liveBlocks, 0u) << f.call << f.n;
    EXPECT_EQ(PromptOn(), 2);
    EXPECT_EQ(Timeout(), 31);
    EXPECT_EQ(config_value_save[0], 2);
    EXPECT_EQ(config_value_save[1], 31);
    EXPECT_EQ(stand::SlotDir(0), "/DataFiles") << f.call << f.n;
    EXPECT_EQ(win, nullptr);
    stand::FailAllocation(0);
    stand::FailHostCall("Fwrite", 0);
    stand::FailHostCall("Fread", 0);
    // What is on the disk is the whole file, before or after.
    config_init();
    std::string text = stand::Exists(SettingsPath()) ? stand::ReadFile(SettingsPath())
                                                     : stand::ReadFile(SettingsPath() + ".tmp");
    EXPECT_TRUE(text == file(Timeout(), PromptOn())) << f.call << f.n << ": " << text;
    EXPECT_TRUE(Timeout() == 30 || Timeout() == 31);
    EXPECT_TRUE(PromptOn() == 0 || PromptOn() == 2);
  }
}

}  // namespace
