// Random recorder sessions against the real image: keys, idle ticks, waits,
// manager requests, playbacks and recordings. Files may disappear only right
// after an OK that closed the prompt with "Delete" selected, and then only the
// family of the recording that was stopped before the prompt came up, in the
// recorder's own "/DataFiles". The same names lie in a subfolder of it, in look-alike
// folders elsewhere on the disk, on two other disks and in the recorder process's
// working directory, and all of them are played and recorded.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "stand/firmware_dat.h"
#include "stand/osd.h"
#include "stand/recorder.h"
#include "tests/support/stand_test.h"

namespace fs = std::filesystem;

namespace {

const std::string kImage = SCRAPDECK_IMAGE;
const char* const kNames[] = {"Alpha", "Beta", "Gamma-2", "Delta Night"};
const char* const kFamily[] = {".rec", ".rec.inf", ".rec.nav", ".cut", ".cut.bak", ".srt"};
const dword kKeys[] = {KEY_LEFT, KEY_RIGHT, KEY_OK,       KEY_EXIT, KEY_STOP,
                       KEY_UP,   KEY_DOWN,  KEY_SETTINGS, KEY_RED};
// While the prompt is up, mostly the keys that answer it.
const dword kPromptKeys[] = {KEY_LEFT, KEY_LEFT, KEY_LEFT, KEY_RIGHT, KEY_OK,
                             KEY_OK,   KEY_OK,   KEY_EXIT, KEY_STOP};
// Marks a path in the recorder process's working directory.
const std::string kWorkDir = "@work/";

// Folders holding recordings of every name. The first two are the recorder's own
// recordings; the rest may never lose a file.
const char* const kFolders[] = {
    "/DataFiles",         "/DataFiles/News",
    "/Archive/DataFiles", "/DataFilesX",
    "/ProgramFiles",      "/mnt/sdb1/DataFiles",
    "/mnt/hdd/DataFiles", "@work/",
    "@work/DataFiles",    "/DataFiles/../ProgramFiles",
};
const size_t kOwnFolders = 2;

bool PromptShown() {
  for (auto& r : stand::Regions())
    if (r.shown && r.x == 170 && r.y == 193 && r.width == 380 && r.height == 190) return true;
  return false;
}

// "Delete" is the selected button when its place shows the green bar.
bool DeleteSelected() {
  return stand::ScreenPixel(250, 313) == 0xFF9EE289;
}

// Every file that may go: the recorder's disk, the other disks and the working
// directory.
std::set<std::string> Files() {
  std::set<std::string> files;
  for (const char* disk : {"/", "/mnt/sdb1", "/mnt/hdd"})
    for (const std::string& path : stand::ListFiles(disk))
      files.insert(path);
  for (auto& e : fs::recursive_directory_iterator(stand::UseWorkDir()))
    if (e.is_regular_file())
      files.insert(kWorkDir + fs::relative(e.path(), stand::UseWorkDir()).string());
  return files;
}

void Write(const std::string& path) {
  if (path.rfind(kWorkDir, 0) == 0) {
    fs::path host = fs::path(stand::UseWorkDir()) / path.substr(kWorkDir.size());
    fs::create_directories(host.parent_path());
    std::ofstream(host) << "data";
  } else {
    stand::WriteFile(path, "data");
  }
}

// The main file of a recording in a folder, as the checks name it ("/DataFiles/../x"
// is "/ProgramFiles/x" on the disk).
std::string Where(const std::string& folder, const std::string& name) {
  std::string path = folder + (folder.back() == '/' ? "" : "/") + name + ".rec";
  return fs::path(path).lexically_normal().string();
}

// The family's paths of a recording's main file "<stem>.rec".
std::set<std::string> FamilyOf(const std::string& main) {
  std::set<std::string> family;
  std::string stem = main.substr(0, main.size() - 4);
  for (const char* ending : kFamily)
    family.insert(stem + ending);
  return family;
}

class RandomSession : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    ASSERT_EQ(stand::InstallStandardFonts(), "");  // the prompt's fonts
    ASSERT_TRUE(stand::Mount("/mnt/sdb1"));
    ASSERT_TRUE(stand::Mount("/mnt/hdd"));
    // All four record slots are the model's, so the firmware names every recording's
    // folder.
    stand::SetModelSlots(4);
    WriteFirmwareDat("/ProgramFiles/Settings",
                     MakeFirmwareDat({{static_cast<word>(TAP_GetSystemId()), 4}}));
    for (const char* folder : kFolders)
      for (const char* name : kNames)
        for (const std::string& path : FamilyOf(Where(folder, name)))
          Write(path);
    std::string error;
    ASSERT_TRUE(stand::LoadPlugin(kImage, 0, plugin_, error)) << error;
    ASSERT_EQ(stand::CallMain(plugin_), 1);
  }
  // The recorder takes back what the plug-in holds when it ends it (a session may
  // end with the prompt or the settings window open).
  void TearDown() override {
    stand::UnloadPlugin(plugin_);
    stand::ResetMemory();
  }

  // A host file record whose path is the given text, as a firmware reports it.
  TYPE_File* Record(const std::string& linuxPath) {
    TYPE_File* file = stand::FileRecord("");
    texts_.push_back(linuxPath);
    file->info->path = texts_.back().data();
    return file;
  }

  // The path the firmware reports for a recording of a folder: the stand's own for
  // its disks; in the working directory its absolute path, or now and then the
  // relative one.
  std::string Reported(const std::string& folder, const std::string& name, bool relative) {
    std::string path = folder + (folder.back() == '/' ? "" : "/") + name + ".rec";
    if (path.rfind(kWorkDir, 0) != 0) return stand::LinuxPath(path);
    path = path.substr(kWorkDir.size());
    return relative ? path : stand::UseWorkDir() + "/" + path;
  }

  void Play(const std::string& folder, const std::string& name, bool relative) {
    stand::Play("/DataFiles/" + name + ".rec");
    stand::PlayInfo().file = Record(Reported(folder, name, relative) + ".inf");
    playing_ = Where(folder, name);
  }

  void Start(dword slot, const std::string& folder, const std::string& name, bool relative) {
    ASSERT_TRUE(stand::Record(slot, "/DataFiles/" + name + ".rec"));
    stand::RecordFileArray()[slot].file = Record(Reported(folder, name, relative));
    recording_[slot] = Where(folder, name);
  }

  // One event; a key the plug-in passes on reaches the firmware. What the firmware
  // stopped is the recording a prompt may then offer.
  void Send(dword event, dword param1) {
    dword result = stand::CallEvent(plugin_, event, param1);
    if (event != HOST_EVENT_KEY || !result) return;
    const bool played = !stand::Playing().empty();
    bool recorded[4];
    for (int slot = 0; slot < 4; ++slot)
      recorded[slot] = !stand::Recording(slot).empty();
    stand::PassKeyToFirmware(result);
    if (played && stand::Playing().empty()) stopped_ = playing_;
    for (int slot = 0; slot < 4; ++slot)
      if (recorded[slot] && stand::Recording(slot).empty()) stopped_ = recording_[slot];
  }

  stand::Plugin plugin_;
  std::deque<std::string> texts_;
  std::string playing_, recording_[4];
  std::string stopped_;  // the recording the firmware stopped last
};

TEST_F(RandomSession, DeletesOnlyTheStoppedRecordingAfterConfirmedDelete) {
  int total = 0, inSubfolder = 0;
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    int deletions = 0, prompts = 0;
    std::string prompted;  // the recording the visible prompt offers
    std::set<std::string> before = Files();
    for (int step = 0; step < 800; ++step) {
      bool shown = PromptShown();
      bool deleteSelected = shown && DeleteSelected();
      std::string stoppedBefore = stopped_;
      dword event = HOST_EVENT_IDLE, param1 = 0;
      // Mostly the recorder's own recordings, so that prompts come often.
      auto folder = [&] {
        return kFolders[random() % 4 ? random() % kOwnFolders : random() % std::size(kFolders)];
      };
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
          const char* where = folder();
          const char* name = kNames[random() % 4];
          if (before.count(Where(where, name)) && stand::Playing().empty())
            Play(where, name, random() % 4 == 0);
          break;
        }
        case 6: {
          const char* where = folder();
          const char* name = kNames[random() % 4];
          dword slot = random() % 4 ? random() % 2 : random() % 4;
          if (before.count(Where(where, name)) && stand::Recording(slot).empty())
            Start(slot, where, name, random() % 4 == 0);
          break;
        }
        default:
          break;
      }
      Send(event, param1);
      if (!shown && PromptShown()) {
        prompted = stoppedBefore;
        ++prompts;
      }

      std::set<std::string> after = Files();
      std::set<std::string> gone;
      std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                          std::inserter(gone, gone.end()));
      before.swap(after);
      if (gone.empty()) continue;
      ++deletions;
      SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step) +
                   ", prompted for " + prompted);
      EXPECT_TRUE(event == HOST_EVENT_KEY && param1 == KEY_OK) << "deleted without OK";
      EXPECT_TRUE(deleteSelected) << "deleted without \"Delete\" selected";
      EXPECT_FALSE(PromptShown()) << "deleted while the prompt stays open";
      std::set<std::string> family = FamilyOf(prompted);
      for (const std::string& path : gone) {
        EXPECT_EQ(path.rfind("/DataFiles/", 0), 0u) << path << " is not a recorder's recording";
        EXPECT_TRUE(family.count(path)) << path << " is not of the stopped recording";
      }
      if (HasFailure()) return;
      inSubfolder += prompted.rfind("/DataFiles/News/", 0) == 0;
      // New recordings under the old names keep the session going.
      for (const std::string& path : gone)
        Write(path);
      before = Files();
    }
    RecordProperty("deletions_seed_" + std::to_string(seed), deletions);
    RecordProperty("prompts_seed_" + std::to_string(seed), prompts);
    total += deletions;
  }
  // The sessions must reach confirmed deletions, in both folders, or they prove nothing.
  EXPECT_GT(total, 6);
  EXPECT_GT(inSubfolder, 0);
}

}  // namespace
