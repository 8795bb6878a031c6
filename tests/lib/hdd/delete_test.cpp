// Deleting a recording's file family, and the name splitting it rests on.
#include <algorithm>
#include <cstring>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "lib/hdd/hdd.h"
#include "stand/firmware_dat.h"
#include "stand/recorder.h"
#include "tests/support/stand_test.h"
#include "tests/support/trace.h"

namespace {

// The suffix tests compare through the host's TAP_MemCmp.
using FileNames = StandTest;

struct Components {
  const char* path;
  const char* directory;
  const char* baseName;
  const char* extension;
  int part;
  bool recording;
  bool deleted;
};

TEST_F(FileNames, SplitsNamesOfTheFamily) {
  const Components rows[] = {
      {"/mnt/hd/DataFiles/Evening Film.rec", "/mnt/hd/DataFiles/", "Evening Film", ".rec", 0, true,
       false},
      {"Evening Film-2.rec.del", "", "Evening Film", ".rec", 2, true, true},
      {"Film.rec.inf.del", "", "Film", ".rec", 0, true, true},
      {"x.ts.nav", "", "x", ".ts", 0, true, false},
      {"x.mpg.inf", "", "x", ".mpg", 0, true, false},
      {"Film-0.rec", "", "Film-0", ".rec", 0, true, false},
      {"Film-10.rec", "", "Film-10", ".rec", 0, true, false},
      {"A-1.rec", "", "A", ".rec", 1, true, false},
      {"-1.rec", "", "-1", ".rec", 0, true, false},
      {"Film-x.rec", "", "Film-x", ".rec", 0, true, false},
      {"My.Film-9.mpg", "", "My.Film", ".mpg", 9, true, false},
      {"Film.REC", "", "Film", ".REC", 0, false, false},
      {"Film.cut", "", "Film", ".cut", 0, false, false},
      {"notes.txt.del", "", "notes", ".txt", 0, false, true},
      {"a.b/noext", "a.b/", "noext", "", 0, false, false},
      {"/DataFiles/", "/DataFiles/", "", "", 0, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    char directory[HDD_PATH_SIZE] = "#", baseName[HDD_NAME_SIZE] = "#",
         extension[HDD_NAME_SIZE] = "#";
    int part = -1;
    bool recording = !row.recording, deleted = !row.deleted;
    ASSERT_TRUE(SeparateFileNameComponents(row.path, directory, baseName, extension, &part,
                                           &recording, &deleted));
    EXPECT_STREQ(directory, row.directory);
    EXPECT_STREQ(baseName, row.baseName);
    EXPECT_STREQ(extension, row.extension);
    EXPECT_EQ(part, row.part);
    EXPECT_EQ(recording, row.recording);
    EXPECT_EQ(deleted, row.deleted);
    // Outputs that are not asked for change nothing in the base name.
    char alone[HDD_NAME_SIZE];
    ASSERT_TRUE(
        SeparateFileNameComponents(row.path, nullptr, alone, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ(alone, row.baseName);
  }
}

TEST_F(FileNames, RefusesWhatDoesNotFitAndLeavesOutputsAlone) {
  std::string longest(HDD_NAME_SIZE - 1 - 4, 'n');
  char directory[HDD_PATH_SIZE] = "#", baseName[HDD_NAME_SIZE] = "#";
  ASSERT_TRUE(SeparateFileNameComponents(("/d/" + longest + ".rec").c_str(), directory, baseName,
                                         nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(baseName, longest);

  const std::string refused[] = {
      "/d/" + longest + "x.rec",                          // a name of 256 bytes
      std::string(HDD_PATH_SIZE - 1, 'd') + "/Film.rec",  // a directory of 512 bytes
  };
  for (const auto& path : refused) {
    std::strcpy(directory, "#");
    std::strcpy(baseName, "#");
    EXPECT_FALSE(SeparateFileNameComponents(path.c_str(), directory, baseName, nullptr, nullptr,
                                            nullptr, nullptr));
    EXPECT_STREQ(directory, "#");
    EXPECT_STREQ(baseName, "#");
  }
  EXPECT_FALSE(
      SeparateFileNameComponents(nullptr, directory, baseName, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(
      SeparateFileNameComponents("", directory, baseName, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(
      SeparateFileNameComponents("a.rec", directory, nullptr, nullptr, nullptr, nullptr, nullptr));
  EXPECT_STREQ(directory, "#");
}

TEST_F(FileNames, IsAnExactCaseSensitiveSuffixTest) {
  struct Row {
    const char* text;
    const char* suffix;
    bool ends;
  } rows[] = {{"Film.rec", ".rec", true}, {"Film.REC", ".rec", false}, {".rec", ".rec", true},
              {"rec", ".rec", false},     {"Film.rec", "", false},     {"", ".rec", false},
              {nullptr, ".rec", false},   {"Film.rec", nullptr, false}};
  for (const auto& row : rows)
    EXPECT_EQ(StringEndsWith(row.text, row.suffix), row.ends)
        << (row.text ? row.text : "(null)") << " / " << (row.suffix ? row.suffix : "(null)");
  EXPECT_TRUE(HDD_isRecFileName("a.ts"));
  EXPECT_FALSE(HDD_isRecFileName("a.tsx"));
  EXPECT_FALSE(HDD_isRecFileName(""));
  EXPECT_FALSE(HDD_isRecFileName(nullptr));
}

// ---- Deletion on the stand's disk ----

class Deletion : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    stand::SetSlotDir(0, "/DataFiles");
    stand::SetCurrentSlot(0);
  }

  static const Trace& Calls() { return stand::Trace(); }

  static void Write(const std::vector<std::string>& paths) {
    for (const auto& path : paths)
      stand::WriteFile(path, "bytes of " + path);
  }
};

Trace Removes(const std::string& dir, const std::vector<std::string>& names) {
  Trace out;
  for (const auto& name : names)
    out.push_back({Call::Remove, {}, dir + name});
  return out;
}

TEST_F(Deletion, RemovesTheFamilyInItsOrder) {
  struct Row {
    const char* name;
    std::vector<std::string> removed;
  };
  const std::vector<std::string> evening = {"Evening Film.rec",     "Evening Film.rec.inf",
                                            "Evening Film.rec.nav", "Evening Film.cut",
                                            "Evening Film.cut.bak", "Evening Film.srt"};
  const Row rows[] = {
      {"Evening Film.rec", evening},
      {"Evening Film.rec.nav", evening},
      {"Evening Film.rec.inf", evening},
      {"/DataFiles/Evening Film.rec", evening},
      {"/mnt/hd/DataFiles/Evening Film.rec", evening},
      {"Evening Film-2.rec.del",
       {"Evening Film-2.rec.del", "Evening Film-2.rec.inf.del", "Evening Film-2.rec.nav.del",
        "Evening Film-2.cut.del", "Evening Film-2.cut.bak.del", "Evening Film-2.srt.del"}},
      {"x.ts.inf", {"x.ts", "x.ts.inf", "x.ts.nav", "x.cut", "x.cut.bak", "x.srt"}},
      {"Film-10.rec",
       {"Film-10.rec", "Film-10.rec.inf", "Film-10.rec.nav", "Film-10.cut", "Film-10.cut.bak",
        "Film-10.srt"}},
      {"A-1.mpg", {"A-1.mpg", "A-1.mpg.inf", "A-1.mpg.nav", "A-1.cut", "A-1.cut.bak", "A-1.srt"}},
      // The family of a deleted side file does not include the deleted recording.
      {"Film.rec.inf.del",
       {"Film.rec.inf.del", "Film.rec.inf.del", "Film.rec.nav.del", "Film.cut.del",
        "Film.cut.bak.del", "Film.srt.del"}},
      {"notes.txt", {"notes.txt"}},
      {"Film.REC", {"Film.REC"}},
      {"Film.cut", {"Film.cut"}},
      {"Film.srt", {"Film.srt"}},
      {"./Film.rec", {}},
      {"", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    stand::ClearTrace();
    HDD_Delete(row.name);
    EXPECT_EQ(Calls(), Removes("/DataFiles/", row.removed));
  }
  stand::ClearTrace();
  HDD_Delete(nullptr);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(Deletion, ANameWithADirectoryIsFoundWhateverTheCurrentDirectory) {
  stand::SetSlotDir(0, "/ProgramFiles");
  Write({"/DataFiles/Film.rec", "/DataFiles/Film.srt", "/ProgramFiles/Film.rec"});
  HDD_Delete("/DataFiles/Film.rec");
  EXPECT_FALSE(stand::Exists("/DataFiles/Film.rec"));
  EXPECT_FALSE(stand::Exists("/DataFiles/Film.srt"));
  EXPECT_TRUE(stand::Exists("/ProgramFiles/Film.rec"));
}

// A folder below /DataFiles whose Linux path makes "<folder>/x.rec" exactly
// mainLength bytes long.
std::string FolderForMainLength(size_t mainLength) {
  std::string folder = "/DataFiles";
  size_t fixed = std::string("/mnt/hd").size() + std::string("/x.rec").size();
  while (fixed + folder.size() < mainLength) {
    size_t room = mainLength - fixed - folder.size() - 1;
    folder += "/" + std::string(room < 100 ? room : 100, 'd');
  }
  return folder;
}

TEST_F(Deletion, AFamilyThatWouldNotFitItsPathsIsLeftWhole) {
  // ".rec.inf" is the longest name of x.rec's family: four bytes more than the
  // main file. With a 508-byte main path it needs 512 bytes and does not fit.
  struct Row {
    size_t mainLength;
    bool removed;
  } rows[] = {{507, true}, {508, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.mainLength);
    std::string folder = FolderForMainLength(row.mainLength);
    ASSERT_EQ(("/mnt/hd" + folder + "/x.rec").size(), row.mainLength);
    Write({folder + "/x.rec", folder + "/x.rec.inf", folder + "/x.cut.bak"});
    stand::Play(folder + "/x.rec");
    stand::ClearTrace();
    HDD_Delete((folder + "/x.rec").c_str());
    EXPECT_EQ(stand::Exists(folder + "/x.rec"), !row.removed);
    EXPECT_EQ(stand::Exists(folder + "/x.rec.inf"), !row.removed);
    EXPECT_EQ(stand::Exists(folder + "/x.cut.bak"), !row.removed);
    // A refused name stops nothing either.
    EXPECT_EQ(stand::Playing().empty(), row.removed);
    EXPECT_EQ(Calls().size(), row.removed ? 8u : 0u);
  }
}

TEST_F(Deletion, NamesTheDeletionCannotTakeAreRefusedWhole) {
  stand::MakeDir("/DataFiles/Folder.rec");
  Write({"/DataFiles/.Hidden.rec", "/DataFiles/Film.rec", "/DataFiles/Film.rec.inf",
         "/ProgramFiles/Settings/Scrapdeck.ini"});
  HDD_FileFamily family;
  for (const char* name : {"Folder.rec", ".Hidden.rec", "./Film.rec", "/DataFiles/./Film.rec",
                           "/DataFiles/../ProgramFiles/Settings/Scrapdeck.ini",
                           "/mnt/hd/DataFiles/Sub/../Film.rec", "Sub/../Film.rec", ""}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(HDD_GetFileFamily(name, &family));
    stand::ClearTrace();
    HDD_Delete(name);
    EXPECT_TRUE(Calls().empty());
  }
  EXPECT_EQ(stand::ListFiles().size(), 4u);
  ASSERT_TRUE(HDD_GetFileFamily("Film.rec.nav", &family));
  EXPECT_STREQ(family.fullPath, "/mnt/hd/DataFiles/Film.rec");
}

TEST(PathDotParts, FindsOnlyWholeParts) {
  for (const char* path : {".", "..", "./x", "../x", "/a/./b", "/a/../b", "/a/.", "/a/..", "a//."})
    EXPECT_TRUE(HDD_PathHasDotParts(path)) << path;
  for (const char* path : {"", "/", "/a/.b", "/a/..b", "/a/b.", "/a/b..", "/a/...", ".x", "a..",
                           "/DataFiles/Film.rec"})
    EXPECT_FALSE(HDD_PathHasDotParts(path)) << path;
  EXPECT_FALSE(HDD_PathHasDotParts(nullptr));
}

TEST_F(Deletion, EveryNameTheDiskHoldsIsDeletedWithItsFamily) {
  // 127 to 131 bytes: the longest titles the prompt shows and the longest names the
  // firmware's record information holds; 255: the longest name of the disk.
  for (size_t length : {127u, 128u, 131u, 255u}) {
    SCOPED_TRACE(length);
    std::string base(length - 4, 'n');
    std::vector<std::string> family = {"/DataFiles/" + base + ".rec"};
    if (length <= 131) family.push_back("/DataFiles/" + base + ".rec.inf");
    family.push_back("/DataFiles/" + base + ".cut.bak");
    Write(family);
    HDD_Delete((base + ".rec").c_str());
    EXPECT_TRUE(stand::ListFiles("/DataFiles").empty());
  }
}

TEST_F(Deletion, WhatPlaysOrRecordsTheFileStopsBeforeTheFirstRemoval) {
  const Trace stopTs = {{Call::StopTs}, {Call::StopMp3}};
  struct Row {
    const char* name;
    const char* played;  // "" for none
    byte mode;
    int recordSlot;  // -1 for none
    const char* recorded;
    bool modelTable;  // a model table that gives the receiver 4 record slots
    Trace stops;
  } rows[] = {
      {"Film.rec", "/DataFiles/Film.rec", 2, -1, "", false, stopTs},
      {"Film.rec", "/DataFiles/Film.rec", 5, -1, "", false, stopTs},
      {"Film.rec.inf", "/DataFiles/Film.rec", 2, -1, "", false, stopTs},
      // Named by its ".nav" file, the played recording is stopped all the same.
      {"Film.rec.nav", "/DataFiles/Film.rec", 2, -1, "", false, stopTs},
      {"Film.rec", "/DataFiles/Other.rec", 2, -1, "", false, {}},
      {"Film.rec.del", "/DataFiles/Film.rec", 2, -1, "", false, {}},
      {"Film.cut", "/DataFiles/Film.rec", 2, -1, "", false, {}},
      {"Film.rec", "", 0, 1, "/DataFiles/Film.rec", false, {{Call::StopRecord, {1}}}},
      {"Film.rec", "", 0, 0, "/DataFiles/Other.rec", false, {}},
      {"Film.rec", "", 0, 3, "/DataFiles/Film.rec", true, {{Call::StopRecord, {3}}}},
      // Without a model table two record slots are searched.
      {"Film.rec", "", 0, 3, "/DataFiles/Film.rec", false, {}},
      // Played while it records: both stop.
      {"Film.rec",
       "/DataFiles/Film.rec",
       2,
       0,
       "/DataFiles/Film.rec",
       false,
       {{Call::StopTs}, {Call::StopMp3}, {Call::StopRecord, {0}}}},
  };
  int n = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE("row " + std::to_string(n++));
    stand::Reset();
    ResetToolkitState();
    stand::SetSlotDir(0, "/DataFiles");
    if (row.modelTable) WriteFirmwareDat("/ProgramFiles/Settings", MakeFirmwareDat({{0, 4}}));
    Write({"/DataFiles/Film.rec", "/DataFiles/Film.rec.inf", "/DataFiles/Film.cut"});
    if (*row.played) stand::Play(row.played, row.mode);
    if (row.recordSlot >= 0) {
      ASSERT_TRUE(stand::Record(row.recordSlot, row.recorded));
    }
    HDD_Delete(row.name);
    ASSERT_GT(Calls().size(), row.stops.size());
    EXPECT_EQ(Trace(Calls().begin(), Calls().begin() + row.stops.size()), row.stops);
    // Then removals only: nothing is stopped after they began.
    for (size_t i = row.stops.size(); i < Calls().size(); ++i)
      EXPECT_TRUE(Calls()[i].call == Call::Remove) << Calls()[i];
  }
}

TEST_F(Deletion, APlaybackWithoutBlocksIsNotAPlayback) {
  Write({"/DataFiles/Film.rec"});
  stand::Play("/DataFiles/Film.rec");
  stand::PlayInfo().totalBlock = 0;
  HDD_Delete("Film.rec");
  EXPECT_EQ(Calls().front(), TraceEntry(Call::Remove, {}, "/DataFiles/Film.rec"));
}

// ---- Random disks against an independent model of the family ----

// The files, in order, whose removal deleting `name` in disk folder `dir` asks for.
std::vector<std::string> ModelFamily(const std::string& dir, const std::string& name) {
  static const std::regex sideFile(R"(\.(rec|mpg|ts)\.(inf|nav)$)");
  static const std::regex recording(R"(^(.+?)(-[1-9])?(\.rec|\.mpg|\.ts)(\.inf|\.nav)?(\.del)?$)");
  std::string main = name;
  if (std::regex_search(main, sideFile)) main.resize(main.size() - 4);
  std::vector<std::string> out = {dir + "/" + main};
  std::smatch m;
  if (!std::regex_match(main, m, recording)) return out;
  std::string stem = dir + "/" + m[1].str() + m[2].str();
  std::string ext = m[3], del = m[5];
  for (const auto& tail : {ext + ".inf", ext + ".nav", std::string(".cut"), std::string(".cut.bak"),
                           std::string(".srt")})
    out.push_back(stem + tail + del);
  return out;
}

TEST_F(Deletion, RandomDisksLoseExactlyTheFamily) {
  const std::vector<std::string> bases = {"Film",       "Evening News", "A",  "x",      "Match_Day",
                                          "News.Extra", "Doku-2",       "-1", "Film-10"};
  const std::vector<std::string> parts = {"", "", "-1", "-2", "-0", "-10"};
  const std::vector<std::string> extensions = {".rec", ".rec", ".mpg", ".ts", ".REC", ".txt"};
  const std::vector<std::string> sides = {"", ".inf", ".nav", ".cut", ".cut.bak", ".srt"};
  const std::vector<std::string> folders = {"/DataFiles", "/DataFiles", "/DataFiles/Films"};

  for (unsigned seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto pick = [&](const std::vector<std::string>& from) {
      return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    };
    auto chance = [&](int percent) {
      return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };

    stand::Reset();
    ResetToolkitState();
    // Names of files that may be on the disk, and the recordings among them.
    std::set<std::string> files = {"/ProgramFiles/Film.rec", "/ProgramFiles/Settings/x.ini"};
    std::vector<std::string> candidates;
    for (int r = 0; r < 6; ++r) {
      std::string folder = pick(folders);
      std::string base = pick(bases) + pick(parts);
      std::string ext = pick(extensions);
      std::string del = chance(25) ? ".del" : "";
      for (const auto& side : sides) {
        bool withExt = side.empty() || side == ".inf" || side == ".nav";
        std::string name = base + (withExt ? ext : "") + side + del;
        candidates.push_back(folder + "/" + name);
        if (chance(70)) files.insert(folder + "/" + name);
      }
    }
    for (const auto& path : files)
      stand::WriteFile(path, "contents of " + path);

    std::string target = pick(candidates);
    std::string folder = target.substr(0, target.rfind('/'));
    std::string name = target.substr(target.rfind('/') + 1);
    stand::SetSlotDir(0, folder);
    std::string argument = chance(50) ? name : chance(50) ? target : "/mnt/hd" + target;

    std::string other = pick(candidates);
    std::string played =
        chance(40) ? ModelFamily(folder, other.substr(other.rfind('/') + 1))[0] : "";
    if (chance(30)) played = ModelFamily(folder, name)[0];
    if (!played.empty()) stand::Play(played);
    std::string recorded = chance(30) ? ModelFamily(folder, name)[0] : "";
    if (!recorded.empty()) stand::Record(1, recorded);
    stand::ClearTrace();

    HDD_Delete(argument.c_str());

    std::vector<std::string> family = ModelFamily(folder, name);
    // The in-use check reads a trailing ".inf" as a side file's, so a main file
    // whose own name ends in ".inf" (never a recording) is never found in use.
    bool findable = family[0].size() < 4 || family[0].compare(family[0].size() - 4, 4, ".inf");
    Trace expected;
    if (findable && !played.empty() && played == family[0])
      expected = {{Call::StopTs}, {Call::StopMp3}};
    if (findable && !recorded.empty()) expected.push_back({Call::StopRecord, {1}});
    for (const auto& path : family)
      expected.push_back({Call::Remove, {}, path});
    EXPECT_EQ(stand::Trace(), expected) << "deleting " << argument;

    std::set<std::string> gone(family.begin(), family.end());
    for (const auto& path : files) {
      if (gone.count(path)) {
        EXPECT_FALSE(stand::Exists(path)) << path;
      } else {
        EXPECT_EQ(stand::ReadFile(path), "contents of " + path) << path;
      }
    }
    EXPECT_EQ(stand::ListFiles().size(),
              files.size() - std::count_if(files.begin(), files.end(),
                                           [&](const std::string& p) { return gone.count(p); }));
  }
}

}  // namespace
