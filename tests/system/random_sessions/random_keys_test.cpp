// Random recorder sessions against the real image: keys, idle ticks, waits,
// manager requests, playbacks and recordings. Files may disappear only right
// after an OK that closed the prompt with "Delete" selected, and then only the
// family of one recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "stand/osd.h"
#include "stand/recorder.h"
#include "tests/support/stand_test.h"

namespace {

const std::string kImage = SCRAPDECK_IMAGE;
const char* const kNames[] = {"Alpha", "Beta", "Gamma-2", "Delta Night"};
const char* const kFamily[] = {".rec", ".rec.inf", ".rec.nav", ".cut", ".cut.bak", ".srt"};
const dword kKeys[] = {KEY_LEFT, KEY_RIGHT, KEY_OK,       KEY_EXIT, KEY_STOP,
                       KEY_UP,   KEY_DOWN,  KEY_SETTINGS, KEY_RED};
// While the prompt is up, mostly the keys that answer it.
const dword kPromptKeys[] = {KEY_LEFT, KEY_LEFT, KEY_RIGHT, KEY_OK, KEY_OK, KEY_EXIT, KEY_STOP};

std::set<std::string> Files() {
  auto list = stand::ListFiles("/DataFiles");
  return {list.begin(), list.end()};
}

bool PromptShown() {
  for (auto& r : stand::Regions())
    if (r.shown && r.x == 170 && r.y == 193 && r.width == 380 && r.height == 190) return true;
  return false;
}

// "Delete" is the selected button when its place shows the green bar.
bool DeleteSelected() {
  return stand::ScreenPixel(250, 313) == 0xFF9EE289;
}

// The recording whose family a set of disk paths belongs to, or "" when they
// belong to no single family.
std::string FamilyOf(const std::set<std::string>& paths) {
  for (const char* name : kNames) {
    std::set<std::string> family;
    for (const char* ending : kFamily)
      family.insert(std::string("/DataFiles/") + name + ending);
    if (std::includes(family.begin(), family.end(), paths.begin(), paths.end())) return name;
  }
  return "";
}

class RandomSession : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    ASSERT_EQ(stand::InstallStandardFonts(), "");  // the prompt's fonts
    for (const char* name : kNames)
      for (const char* ending : kFamily)
        stand::WriteFile(std::string("/DataFiles/") + name + ending, "data");
    std::string error;
    ASSERT_TRUE(stand::LoadPlugin(kImage, 0, plugin_, error)) << error;
    ASSERT_EQ(stand::CallMain(plugin_), 1);
  }
  void TearDown() override { stand::UnloadPlugin(plugin_); }

  // One event; a key the plug-in passes on reaches the firmware.
  void Send(dword event, dword param1) {
    dword result = stand::CallEvent(plugin_, event, param1);
    if (event == HOST_EVENT_KEY && result) stand::PassKeyToFirmware(result);
  }

  stand::Plugin plugin_;
};

TEST_F(RandomSession, DeletesOnlyAfterConfirmedDelete) {
  int total = 0;
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    int deletions = 0;
    for (int step = 0; step < 800; ++step) {
      std::set<std::string> before = Files();
      bool shown = PromptShown();
      bool deleteSelected = shown && DeleteSelected();
      dword event = HOST_EVENT_IDLE, param1 = 0;
      switch (random() % 8) {
        case 0:
        case 1:
        case 2:
          event = HOST_EVENT_KEY;
          param1 = shown && random() % 4 ? kPromptKeys[random() % std::size(kPromptKeys)]
                                         : kKeys[random() % std::size(kKeys)];
          break;
        case 3:
          // Mostly short waits; now and then one past the prompt's 30 s.
          stand::Advance(random() % 8 ? random() % 500 : 3000 + random() % 1000);
          break;
        case 4:
          event = HOST_EVENT_MANAGER;
          param1 = random() % 8;
          break;
        case 5: {
          std::string name = std::string("/DataFiles/") + kNames[random() % 4] + ".rec";
          if (stand::Exists(name) && stand::Playing().empty()) stand::Play(name);
          break;
        }
        case 6: {
          std::string name = std::string("/DataFiles/") + kNames[random() % 4] + ".rec";
          dword slot = random() % 2;
          if (stand::Exists(name) && stand::Recording(slot).empty()) stand::Record(slot, name);
          break;
        }
        default:
          break;
      }
      Send(event, param1);

      std::set<std::string> after = Files();
      std::set<std::string> gone;
      std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                          std::inserter(gone, gone.end()));
      if (gone.empty()) continue;
      ++deletions;
      SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
      EXPECT_TRUE(event == HOST_EVENT_KEY && param1 == KEY_OK) << "deleted without OK";
      EXPECT_TRUE(deleteSelected) << "deleted without \"Delete\" selected";
      EXPECT_FALSE(PromptShown()) << "deleted while the prompt stays open";
      EXPECT_NE(FamilyOf(gone), "") << "deleted files of more than one recording";
      if (HasFailure()) return;
      // New recordings under the old names keep the session going.
      for (const std::string& path : gone)
        stand::WriteFile(path, "data");
    }
    RecordProperty("deletions_seed_" + std::to_string(seed), deletions);
    total += deletions;
  }
  // The sessions must reach confirmed deletions, or they prove nothing.
  EXPECT_GT(total, 6);
}

}  // namespace
