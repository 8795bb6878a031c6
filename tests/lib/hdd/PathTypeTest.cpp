// Path forms and their conversion, against the stand's sandbox disk.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "lib/hdd/hdd.h"
#include "tests/support/stand_test.h"

namespace fs = std::filesystem;

namespace {

// The process's own working directory takes part in the classification, so each
// test runs in an empty folder of its own.
class PathTypeTest : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    saved_ = fs::current_path();
    cwd_ = fs::temp_directory_path() / ("scrapdeck-cwd-" + std::to_string(getpid()));
    fs::create_directories(cwd_);
    fs::current_path(cwd_);
    stand::WriteFile("/DataFiles/Film.rec", "rec");
    stand::MakeDir("/DataFiles/Sub");
    stand::WriteFile("/ProgramFiles/Settings/Settings.ini", "");
    stand::WriteFile("/Root.rec", "");
  }
  void TearDown() override {
    fs::current_path(saved_);
    fs::remove_all(cwd_);
  }
  void At(const std::string& dir) { stand::SetSlotDir(stand::CurrentSlot(), dir); }

  fs::path saved_, cwd_;
};

std::string Convert(const std::string& source, dword wanted) {
  char destination[HDD_PATH_SIZE];
  std::memset(destination, '#', sizeof destination);
  destination[sizeof destination - 1] = '\0';
  ConvertPathType(source.c_str(), destination, wanted);
  return destination;
}

const char* Name(dword type) {
  static const char* names[] = {"FILE_NAME", "TAP_DIR", "LINUX_DIR", "TAP_FILE", "LINUX_FILE"};
  return type <= PATH_LINUX_FILE ? names[type] : "?";
}

TEST_F(PathTypeTest, ClassifiesByShapeAndDisk) {
  struct Row {
    const char* current;
    const char* path;
    dword type;
  } rows[] = {
      {"/DataFiles", "", PATH_FILE_NAME},
      {"/DataFiles", ".", PATH_TAP_DIR},
      {"/DataFiles", "..", PATH_TAP_DIR},
      {"/DataFiles", ".hidden.rec", PATH_TAP_DIR},
      {"/DataFiles", "./Film.rec", PATH_TAP_DIR},
      {"/DataFiles", "/", PATH_TAP_DIR},
      // no '/': a file name unless a folder of that name is in the current directory
      {"/DataFiles", "Film.rec", PATH_FILE_NAME},
      {"/DataFiles", "Missing.rec", PATH_FILE_NAME},
      {"/DataFiles", "Sub", PATH_TAP_DIR},
      {"/ProgramFiles", "Settings", PATH_TAP_DIR},
      {"/ProgramFiles", "Settings.ini", PATH_FILE_NAME},
      {"/", "DataFiles", PATH_TAP_DIR},
      {"/", "Sub", PATH_FILE_NAME},
      // '/' inside, host form
      {"/DataFiles", "/DataFiles/Film.rec", PATH_TAP_FILE},
      {"/DataFiles", "/DataFiles/Gone.rec", PATH_TAP_FILE},
      {"/DataFiles", "/DataFiles", PATH_TAP_DIR},
      {"/DataFiles", "Sub/x.rec", PATH_TAP_FILE},
      {"/", "DataFiles/Sub", PATH_TAP_DIR},
      {"/DataFiles", "DataFiles/Sub", PATH_TAP_FILE},
      {"/DataFiles", "/Missing/", PATH_TAP_DIR},
      // Linux form: existing paths by what they are, missing ones by their shape
      {"/DataFiles", "/mnt/hd/DataFiles/Film.rec", PATH_LINUX_FILE},
      {"/DataFiles", "/mnt/hd/DataFiles", PATH_LINUX_DIR},
      {"/DataFiles", "/mnt/hd", PATH_LINUX_DIR},
      {"/DataFiles", "/mnt/hd/DataFiles/Gone.rec", PATH_LINUX_FILE},
      {"/DataFiles", "/mnt/hd/Missing/", PATH_LINUX_DIR},
      {"/DataFiles", "/mnt/usb/x.rec", PATH_LINUX_FILE},
      {"/DataFiles", "/mnt", PATH_LINUX_DIR},  // exists on the host itself
  };
  for (const Row& r : rows) {
    At(r.current);
    EXPECT_EQ(GetPathType(r.path), r.type) << r.path << " in " << r.current;
  }
  EXPECT_EQ(GetPathType(nullptr), PATH_FILE_NAME);
}

TEST_F(PathTypeTest, ConvertsEveryPairOfForms) {
  struct Row {
    const char* current;
    const char* source;
    dword wanted;
    const char* result;
  } rows[] = {
      // file name
      {"/DataFiles", "Film.rec", PATH_FILE_NAME, "Film.rec"},
      {"/DataFiles", "Film.rec", PATH_TAP_DIR, "/DataFiles/"},
      {"/DataFiles", "Film.rec", PATH_LINUX_DIR, "/mnt/hd/DataFiles/"},
      {"/DataFiles", "Film.rec", PATH_TAP_FILE, "/DataFiles/Film.rec"},
      {"/DataFiles", "Film.rec", PATH_LINUX_FILE, "/mnt/hd/DataFiles/Film.rec"},
      {"/DataFiles", "New.rec", PATH_LINUX_FILE, "/mnt/hd/DataFiles/New.rec"},
      {"/", "Root.rec", PATH_TAP_DIR, "/"},
      {"/", "Root.rec", PATH_LINUX_DIR, "/mnt/hd/"},
      {"/", "Root.rec", PATH_TAP_FILE, "/Root.rec"},
      {"/", "Root.rec", PATH_LINUX_FILE, "/mnt/hd/Root.rec"},
      {"/DataFiles", "", PATH_TAP_DIR, "/DataFiles/"},
      {"/DataFiles", "", PATH_TAP_FILE, ""},  // a file path needs a name
      {"/DataFiles", "", PATH_LINUX_FILE, ""},
      // host directory
      {"/DataFiles", "/DataFiles/", PATH_TAP_DIR, "/DataFiles/"},
      {"/DataFiles", "/DataFiles", PATH_TAP_DIR, "/DataFiles/"},
      {"/DataFiles", "/DataFiles", PATH_LINUX_DIR, "/mnt/hd/DataFiles/"},
      {"/DataFiles", "/DataFiles/", PATH_FILE_NAME, ""},
      {"/DataFiles", "/DataFiles/", PATH_TAP_FILE, ""},
      {"/DataFiles", "/DataFiles/", PATH_LINUX_FILE, ""},
      {"/DataFiles", "Sub", PATH_TAP_DIR, "Sub/"},
      {"/DataFiles", "Sub", PATH_LINUX_DIR, "/mnt/hd/DataFiles/Sub/"},
      {"/DataFiles", "Missing/", PATH_LINUX_DIR, "/mnt/hd/DataFiles/Missing/"},
      {"/", "Missing/", PATH_LINUX_DIR, "/mnt/hd/Missing/"},
      {"/DataFiles", ".", PATH_TAP_DIR, "./"},
      {"/DataFiles", ".", PATH_LINUX_DIR, "/mnt/hd/DataFiles/./"},
      {"/DataFiles", "/", PATH_TAP_DIR, "/"},
      {"/DataFiles", "/", PATH_LINUX_DIR, "/mnt/hd/"},
      {"/DataFiles", ".hidden.rec", PATH_TAP_FILE, ""},
      {"/DataFiles", "./Film.rec", PATH_LINUX_FILE, ""},
      // Linux directory
      {"/DataFiles", "/mnt/hd/DataFiles", PATH_TAP_DIR, "/DataFiles/"},
      {"/DataFiles", "/mnt/hd/DataFiles", PATH_LINUX_DIR, "/mnt/hd/DataFiles/"},
      {"/DataFiles", "/mnt/hd/DataFiles", PATH_LINUX_FILE, "/mnt/hd/DataFiles"},
      {"/DataFiles", "/mnt/hd/DataFiles", PATH_FILE_NAME, ""},
      {"/DataFiles", "/mnt/hd/DataFiles", PATH_TAP_FILE, ""},
      {"/DataFiles", "/mnt/hd", PATH_TAP_DIR, "/"},
      {"/DataFiles", "/mnt/hd/Missing/", PATH_TAP_DIR, "/Missing/"},
      {"/DataFiles", "/mnt/usb/", PATH_TAP_DIR, ""},
      {"/DataFiles", "/mnt/hdb/x/", PATH_TAP_DIR, ""},  // another disk, not a folder of ours
      // host file
      {"/DataFiles", "/DataFiles/Film.rec", PATH_FILE_NAME, "Film.rec"},
      {"/DataFiles", "/DataFiles/Film.rec", PATH_TAP_DIR, "/DataFiles/"},
      {"/DataFiles", "/DataFiles/Film.rec", PATH_LINUX_DIR, "/mnt/hd/DataFiles/"},
      {"/DataFiles", "/DataFiles/Film.rec", PATH_TAP_FILE, "/DataFiles/Film.rec"},
      {"/DataFiles", "/DataFiles/Film.rec", PATH_LINUX_FILE, "/mnt/hd/DataFiles/Film.rec"},
      {"/DataFiles", "Sub/x.rec", PATH_TAP_DIR, "Sub/"},
      {"/DataFiles", "Sub/x.rec", PATH_LINUX_DIR, "/mnt/hd/DataFiles/Sub/"},
      {"/DataFiles", "Sub/x.rec", PATH_LINUX_FILE, "/mnt/hd/DataFiles/Sub/x.rec"},
      {"/", "DataFiles/x.rec", PATH_LINUX_FILE, "/mnt/hd/DataFiles/x.rec"},
      {"/DataFiles", "/Root.rec", PATH_TAP_DIR, "/"},
      {"/DataFiles", "/Root.rec", PATH_LINUX_DIR, "/mnt/hd/"},
      // Linux file
      {"/DataFiles", "/mnt/hd/DataFiles/Film.rec", PATH_FILE_NAME, "Film.rec"},
      {"/DataFiles", "/mnt/hd/DataFiles/Film.rec", PATH_TAP_DIR, "/DataFiles/"},
      {"/DataFiles", "/mnt/hd/DataFiles/Film.rec", PATH_LINUX_DIR, "/mnt/hd/DataFiles/"},
      {"/DataFiles", "/mnt/hd/DataFiles/Film.rec", PATH_TAP_FILE, "/DataFiles/Film.rec"},
      {"/DataFiles", "/mnt/hd/DataFiles/Film.rec", PATH_LINUX_FILE, "/mnt/hd/DataFiles/Film.rec"},
      {"/DataFiles", "/mnt/hd/DataFiles/Gone.rec", PATH_TAP_FILE, "/DataFiles/Gone.rec"},
      {"/DataFiles", "/mnt/hd/Root.rec", PATH_TAP_DIR, "/"},
      {"/DataFiles", "/mnt/usb/x.rec", PATH_TAP_FILE, ""},
      {"/DataFiles", "/mnt/usb/x.rec", PATH_TAP_DIR, ""},
      {"/DataFiles", "/mnt/usb/x.rec", PATH_LINUX_DIR, "/mnt/usb/"},
      {"/DataFiles", "/mnt/usb/x.rec", PATH_FILE_NAME, "x.rec"},
      {"/DataFiles", "/mnt/hdb/x.rec", PATH_TAP_FILE, ""},
  };
  for (const Row& r : rows) {
    At(r.current);
    EXPECT_EQ(Convert(r.source, r.wanted), r.result)
        << r.source << " (" << Name(GetPathType(r.source)) << ") to " << Name(r.wanted) << " in "
        << r.current;
  }
}

TEST_F(PathTypeTest, PathsOfTheProcessWorkingDirectoryAreUsedAsTheyStand) {
  std::ofstream("local.rec") << "x";
  fs::create_directory("localdir");
  At("/DataFiles");
  EXPECT_EQ(GetPathType("local.rec"), PATH_LINUX_FILE);
  EXPECT_EQ(GetPathType("localdir"), PATH_LINUX_DIR);
  EXPECT_EQ(Convert("local.rec", PATH_LINUX_FILE), "local.rec");
  EXPECT_EQ(Convert("local.rec", PATH_FILE_NAME), "local.rec");
  EXPECT_EQ(Convert("localdir", PATH_LINUX_DIR), "localdir/");
  EXPECT_EQ(Convert("local.rec", PATH_TAP_FILE), "");
  // A name without a folder has none to give.
  EXPECT_EQ(Convert("local.rec", PATH_LINUX_DIR), "");
}

TEST_F(PathTypeTest, UnknownCurrentDirectoryMeansTheDiskRoot) {
  stand::SetFirmwareSymbol("_tapTask", false);
  EXPECT_EQ(Convert("Film.rec", PATH_TAP_FILE), "/Film.rec");
  EXPECT_EQ(GetPathType("DataFiles"), PATH_TAP_DIR);
}

TEST_F(PathTypeTest, NothingIsWrittenWithoutSourceOrDestinationOrForAnUnknownForm) {
  char destination[8] = "keep";
  ConvertPathType(nullptr, destination, PATH_TAP_DIR);
  EXPECT_STREQ(destination, "keep");
  ConvertPathType("/DataFiles/", destination, 5);
  EXPECT_STREQ(destination, "keep");
  ConvertPathType("/DataFiles/", nullptr, PATH_TAP_DIR);  // must not crash
}

TEST_F(PathTypeTest, SourceAndDestinationMayBeTheSameText) {
  At("/DataFiles");
  char path[HDD_PATH_SIZE] = "Film.rec";
  ConvertPathType(path, path, PATH_LINUX_FILE);
  EXPECT_STREQ(path, "/mnt/hd/DataFiles/Film.rec");
  ConvertPathType(path, path, PATH_FILE_NAME);
  EXPECT_STREQ(path, "Film.rec");
}

// Texts in blocks of exactly their size, so that a read or write past them shows
// under the address sanitizer.
std::unique_ptr<char[]> Exact(const std::string& text) {
  std::unique_ptr<char[]> block(new char[text.size() + 1]);
  std::memcpy(block.get(), text.c_str(), text.size() + 1);
  return block;
}

std::string ConvertExact(const std::string& source, dword wanted) {
  auto in = Exact(source);
  size_t size = wanted == PATH_FILE_NAME ? HDD_FILE_NAME_SIZE : HDD_PATH_SIZE;
  std::unique_ptr<char[]> out(new char[size]);
  std::memset(out.get(), 'x', size);
  ConvertPathType(in.get(), out.get(), wanted);
  EXPECT_NE(std::memchr(out.get(), '\0', size), nullptr);
  return out.get();
}

TEST_F(PathTypeTest, ResultsThatDoNotFitAreRefusedWhole) {
  At("/DataFiles");
  std::string huge(5000, 'a');
  std::string folder = "/DataFiles/" + std::string(495, 'f') + "/";  // 507 characters
  struct Row {
    std::string source;
    dword wanted;
    const char* result;  // null: the source itself, with a final '/' for a folder
  } rows[] = {
      {huge, PATH_FILE_NAME, ""},
      {huge, PATH_TAP_FILE, ""},
      {huge, PATH_LINUX_FILE, ""},
      {huge, PATH_TAP_DIR, "/DataFiles/"},  // a name's folder is the current one
      {"/" + huge + "/x.rec", PATH_LINUX_FILE, ""},
      {"/mnt/hd/" + huge + "/x.rec", PATH_TAP_FILE, ""},
      // the work text holds no more than a path, even when only a piece is wanted
      {"/mnt/hd/" + huge + "/x.rec", PATH_FILE_NAME, ""},
      {"/mnt/hd/x/" + huge, PATH_TAP_DIR, ""},
      // fits the host form but not with "/mnt/hd" before it
      {folder, PATH_TAP_DIR, nullptr},
      {folder, PATH_LINUX_DIR, ""},
      {folder + "x", PATH_LINUX_FILE, ""},
      // 511 characters fit, the added '/' does not
      {"." + std::string(510, 'd'), PATH_TAP_DIR, ""},
      {"." + std::string(509, 'd'), PATH_TAP_DIR, nullptr},
      // file names: 127 characters fit their 128-byte text
      {std::string(127, 'n'), PATH_FILE_NAME, nullptr},
      {std::string(128, 'n'), PATH_FILE_NAME, ""},
      {"/DataFiles/" + std::string(128, 'n'), PATH_FILE_NAME, ""},
      {"/DataFiles/" + std::string(127, 'n'), PATH_FILE_NAME, nullptr},
  };
  for (const Row& r : rows) {
    std::string expected = r.result ? r.result : r.source;
    if (!r.result && r.wanted == PATH_TAP_DIR && expected.back() != '/') expected += "/";
    if (!r.result && r.wanted == PATH_FILE_NAME)
      expected = expected.substr(expected.rfind('/') + 1);
    EXPECT_EQ(ConvertExact(r.source, r.wanted), expected)
        << r.source.size() << " characters to " << Name(r.wanted);
  }
}

TEST_F(PathTypeTest, CurrentDirectoryThatCannotBeReadWholeMakesRelativePathsImpossible) {
  // A firmware directory text longer than any path: relative results would land
  // elsewhere if it were taken as the disk root.
  std::string longDir = "/mnt/hd/" + std::string(520, 'd');
  TYPE_TapDir record{};
  record.path = longDir.c_str();
  stand::TapTable()[stand::CurrentSlot()].dir = &record;
  char current[HDD_PATH_SIZE] = "x";
  EXPECT_EQ(HDD_TAP_GetCurrentDir(current), -1);
  EXPECT_STREQ(current, "");
  EXPECT_EQ(Convert("Film.rec", PATH_LINUX_FILE), "");
  EXPECT_EQ(Convert("Sub/x.rec", PATH_LINUX_DIR), "");
  EXPECT_EQ(Convert("/DataFiles/Film.rec", PATH_LINUX_FILE), "/mnt/hd/DataFiles/Film.rec");
}

TEST_F(PathTypeTest, AbsolutePathOfAHostFileRecord) {
  char destination[HDD_PATH_SIZE] = "old";
  EXPECT_TRUE(HDD_GetAbsolutePathByTypeFile(stand::FileRecord("/DataFiles/Film.rec"), destination));
  EXPECT_STREQ(destination, "/mnt/hd/DataFiles/Film.rec");

  std::strcpy(destination, "old");
  EXPECT_FALSE(HDD_GetAbsolutePathByTypeFile(stand::FileRecord(""), destination));
  EXPECT_STREQ(destination, "");

  TYPE_File noInfo{};
  std::strcpy(destination, "old");
  EXPECT_FALSE(HDD_GetAbsolutePathByTypeFile(&noInfo, destination));
  EXPECT_STREQ(destination, "");

  std::strcpy(destination, "old");
  EXPECT_FALSE(HDD_GetAbsolutePathByTypeFile(nullptr, destination));
  EXPECT_STREQ(destination, "");
  EXPECT_FALSE(HDD_GetAbsolutePathByTypeFile(stand::FileRecord("/x"), nullptr));

  std::string longPath = "/mnt/hd/" + std::string(504, 'p');  // 512 characters
  TYPE_FileInfo info{};
  info.path = longPath.c_str();
  TYPE_File file{};
  file.info = &info;
  std::strcpy(destination, "old");
  EXPECT_FALSE(HDD_GetAbsolutePathByTypeFile(&file, destination));
  EXPECT_STREQ(destination, "");
  longPath.pop_back();
  info.path = longPath.c_str();
  EXPECT_TRUE(HDD_GetAbsolutePathByTypeFile(&file, destination));
  EXPECT_EQ(destination, longPath);
}

}  // namespace
