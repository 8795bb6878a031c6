// Stop sources: arming on a stop key and identifying the stopped file.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/stop_source.h"
#include "settings/config.h"
#include "stand/recorder.h"
#include "tests/support/stand_test.h"

namespace {

class StopSource : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    stand::SetSlotDir(0, "/ProgramFiles");
    filename = filedir = nullptr;
    filelen = 0;
    filetitle[0] = '\0';
    n_tuner = 0;
  }
};

TEST_F(StopSource, APlayedRecordingIsFoundInItsFolder) {
  stand::WriteFile("/DataFiles/Films/Show.rec", "");
  stand::Play("/DataFiles/Films/Show.rec");
  for (int promptOn : {PROMPT_ON_PLAY_AND_RECORD, PROMPT_ON_PLAY_ONLY}) {
    HANDLER* handler = handler_play(promptOn);
    ASSERT_NE(handler, nullptr);
    EXPECT_STREQ(filedir, "/DataFiles/Films");
    EXPECT_STREQ(filename, "Show.rec");
    EXPECT_EQ(filelen, 8);
    EXPECT_STREQ(handler->get_type(), "Playback");
    EXPECT_STREQ(filetitle, "Show");
    EXPECT_EQ(stand::SlotDir(0), "/DataFiles/Films");
  }
  // Only recordings prompt.
  EXPECT_EQ(handler_play(PROMPT_ON_RECORD_ONLY), nullptr);
}

TEST_F(StopSource, PlaybackArmingRefusesWhatItCannotName) {
  // A first arming whose names must survive every refused one.
  stand::WriteFile("/DataFiles/Show.rec", "");
  stand::Play("/DataFiles/Show.rec");
  ASSERT_NE(handler_play(PROMPT_ON_PLAY_AND_RECORD), nullptr);

  std::string longName(260, 'n');
  ASSERT_TRUE(stand::Mount("/mnt/sdb1"));
  ASSERT_TRUE(stand::Mount("/mnt/hdd"));
  struct Row {
    const char* why;
    std::string played;  // "" for nothing played
    byte mode;
  } rows[] = {
      {"nothing played", "", 0},
      {"play mode 5", "/DataFiles/Other.rec", 5},
      {"not under /DataFiles", "/Media/Other.rec", 2},
      {"/DataFiles itself", "/DataFiles", 2},
      {"/DataFiles deeper down", "/Archive/DataFiles/Other.rec", 2},
      {"a look-alike of /DataFiles", "/DataFilesX/Other.rec", 2},
      {"another disk", "/mnt/sdb1/DataFiles/Other.rec", 2},
      {"a look-alike of the disk root", "/mnt/hdd/DataFiles/Other.rec", 2},
      {"a '..' part", "/DataFiles/../ProgramFiles/Settings/Scrapdeck.ini", 2},
      {"a '.' part", "/DataFiles/./Other.rec", 2},
      {"longer than the path buffer", "/DataFiles/" + longName + ".rec", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.why);
    stand::StopPlay();
    if (!row.played.empty()) stand::Play(row.played, row.mode);
    EXPECT_EQ(handler_play(PROMPT_ON_PLAY_AND_RECORD), nullptr);
    EXPECT_STREQ(filename, "Show.rec");
    EXPECT_STREQ(filedir, "/DataFiles");
  }
  stand::Play("/DataFiles/Show.rec");
  stand::PlayInfo().file = nullptr;
  EXPECT_EQ(handler_play(PROMPT_ON_PLAY_AND_RECORD), nullptr);
  stand::PlayInfo().file = stand::FileRecord("");
  EXPECT_EQ(handler_play(PROMPT_ON_PLAY_AND_RECORD), nullptr);
}

TEST_F(StopSource, ATitleIsTheNameWithoutItsExtensionOrNothing) {
  struct Row {
    std::string name;  // played recording in /DataFiles
    bool prompt;
    std::string title;
  } rows[] = {
      {"Show.rec", true, "Show"},
      {".rec", false, ""},  // begins with '.': the deletion could not take it
      {std::string(127, 't') + ".rec", true, std::string(127, 't')},  // the longest that fits
      {std::string(128, 't') + ".rec", false, ""},
      {"ab", false, ""},  // shorter than its 4-character extension
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    stand::WriteFile("/DataFiles/" + row.name, "");
    stand::Play("/DataFiles/" + row.name);
    std::memset(filetitle, '#', sizeof filetitle);
    HANDLER* handler = handler_play(PROMPT_ON_PLAY_AND_RECORD);
    ASSERT_NE(handler, nullptr);
    if (row.prompt) {
      EXPECT_STREQ(handler->get_type(), "Playback");
      EXPECT_EQ(filetitle, row.title);
    } else {
      EXPECT_EQ(handler->get_type(), nullptr);
    }
  }
}

TEST_F(StopSource, APlayedFileThatIsGoneOrADirectoryThatCannotBeEnteredGivesNoPrompt) {
  stand::WriteFile("/DataFiles/Show.rec", "");
  stand::Play("/DataFiles/Show.rec");
  HANDLER* handler = handler_play(PROMPT_ON_PLAY_AND_RECORD);
  ASSERT_NE(handler, nullptr);
  EXPECT_STREQ(handler->get_type(), "Playback");
  stand::FailHostCall("ChangeDir", 1);
  EXPECT_EQ(handler->get_type(), nullptr);
  EXPECT_STREQ(handler->get_type(), "Playback");
  std::remove(stand::HostPath("/DataFiles/Show.rec").c_str());
  EXPECT_EQ(handler->get_type(), nullptr);
}

class RecordingStop : public StopSource {
 protected:
  void Start(dword slot, const std::string& name) {
    stand::WriteFile("/DataFiles/" + name, "");
    ASSERT_TRUE(stand::Record(slot, "/DataFiles/" + name));
  }
};

TEST_F(RecordingStop, TheSecondOfTwoRecordingsStopped) {
  Start(0, "First.rec");
  Start(1, "Second.rec");
  HANDLER* handler = handler_record(PROMPT_ON_PLAY_AND_RECORD);
  ASSERT_NE(handler, nullptr);
  EXPECT_EQ(n_tuner, 2);
  EXPECT_EQ(handler_record(PROMPT_ON_RECORD_ONLY), handler);

  EXPECT_EQ(handler->get_type(), nullptr);  // both still run
  stand::StopRecording(1);
  EXPECT_STREQ(handler->get_type(), "Recording");
  EXPECT_STREQ(filename, "Second.rec");
  EXPECT_STREQ(filedir, "/DataFiles");
  EXPECT_EQ(filelen, 10);
  EXPECT_STREQ(filetitle, "Second");
  EXPECT_EQ(stand::SlotDir(0), "/DataFiles");
}

TEST_F(RecordingStop, TheFirstStoppedRecordingDecides) {
  Start(0, "First.rec");
  Start(1, "Second.rec");
  HANDLER* handler = handler_record(PROMPT_ON_PLAY_AND_RECORD);
  ASSERT_NE(handler, nullptr);
  stand::StopRecording(0);
  stand::StopRecording(1);
  std::remove(stand::HostPath("/DataFiles/First.rec").c_str());
  // The first stopped recording's file is gone: no prompt, the second is not tried.
  EXPECT_EQ(handler->get_type(), nullptr);
}

TEST_F(RecordingStop, SnapshotTakesOnlyRunningRecordingsWithNamesThatFit) {
  EXPECT_EQ(handler_record(PROMPT_ON_PLAY_AND_RECORD), nullptr);  // nothing records
  EXPECT_EQ(n_tuner, 0);
  EXPECT_EQ(handler_record(PROMPT_ON_PLAY_ONLY), nullptr);  // only playbacks prompt

  std::string longest = std::string(127, 'a') + ".rec";  // the record information's longest
  Start(0, "Zero.rec");
  Start(1, longest);
  Start(2, "Two.rec");
  Start(3, "Three.rec");
  stand::SetRecState(2, 0x01000001);  // byte 3 set: not a running recording
  stand::SetRecState(3, 0x00FFFF01);  // the middle bytes do not matter
  ASSERT_NE(handler_record(PROMPT_ON_PLAY_AND_RECORD), nullptr);
  ASSERT_EQ(n_tuner, 3);
  EXPECT_STREQ(rec_filename[0], "Zero.rec");
  EXPECT_EQ(rec_tuner[0], 0);
  EXPECT_EQ(rec_filename[1], longest);
  EXPECT_STREQ(rec_filename[2], "Three.rec");
  EXPECT_EQ(rec_tuner[2], 3);
}

TEST_F(RecordingStop, ARecordingIsLookedForWhereTheFirmwareRecordsIt) {
  ASSERT_TRUE(stand::Mount("/mnt/sdb1"));
  struct Row {
    std::string recorded;  // a disk path, or a path on the other disk
    const char* folder;    // what the snapshot keeps; null: recorded elsewhere
  } rows[] = {
      {"/DataFiles/Film.rec", "/DataFiles"},
      {"/DataFiles/News/Late/Film.rec", "/DataFiles/News/Late"},
      {"/mnt/sdb1/DataFiles/Film.rec", nullptr},
      {"/Archive/DataFiles/Film.rec", nullptr},
      {"/DataFilesX/Film.rec", nullptr},
      {"/DataFiles/../ProgramFiles/Film.rec", nullptr},
      {"/DataFiles/./Film.rec", nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.recorded);
    stand::WriteFile(row.recorded, "");
    ASSERT_TRUE(stand::Record(0, row.recorded));
    HANDLER* handler = handler_record(PROMPT_ON_PLAY_AND_RECORD);
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(rec_elsewhere[0], row.folder == nullptr);
    if (row.folder) {
      EXPECT_STREQ(rec_filedir[0], row.folder);
    }
    // Stopped: found in its own folder only, never as "/DataFiles/Film.rec".
    stand::StopRecording(0);
    EXPECT_EQ(handler->get_type() != nullptr, row.folder != nullptr);
    if (row.folder) {
      EXPECT_STREQ(filedir, row.folder);
    }
  }

  // The record information and the record-file array name different files.
  ASSERT_TRUE(stand::Record(0, "/DataFiles/Film.rec"));
  stand::RecordFileArray()[0].file = stand::FileRecord("/DataFiles/Other.rec");
  ASSERT_NE(handler_record(PROMPT_ON_PLAY_AND_RECORD), nullptr);
  EXPECT_TRUE(rec_elsewhere[0]);
}

TEST_F(RecordingStop, WithoutAFolderFromTheFirmwareTheRecordingIsLookedForInDataFiles) {
  // Without a model table the plug-in knows two record slots: the array's entry for
  // slot 3 is not read.
  Start(3, "Film.rec");
  stand::WriteFile("/DataFiles/News/Film.rec", "");
  ASSERT_TRUE(stand::Record(3, "/DataFiles/News/Film.rec"));
  HANDLER* handler = handler_record(PROMPT_ON_PLAY_AND_RECORD);
  ASSERT_NE(handler, nullptr);
  EXPECT_STREQ(rec_filedir[0], "");
  EXPECT_FALSE(rec_elsewhere[0]);
  stand::StopRecording(3);
  EXPECT_STREQ(handler->get_type(), "Recording");
  EXPECT_STREQ(filedir, "/DataFiles");
}

TEST_F(RecordingStop, AFailedRecordInformationCountsAsStopped) {
  Start(0, "Zero.rec");
  Start(1, "One.rec");
  HANDLER* handler = handler_record(PROMPT_ON_PLAY_AND_RECORD);
  ASSERT_NE(handler, nullptr);
  stand::FailRecInfo(1, true);
  EXPECT_STREQ(handler->get_type(), "Recording");
  EXPECT_STREQ(filetitle, "One");

  // An empty entry is passed over without asking the host.
  rec_filename[1][0] = '\0';
  EXPECT_EQ(handler->get_type(), nullptr);
}

}  // namespace
