// The stand's disk as the plug-in's system-library calls see it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/stand_test.h"

namespace {

namespace fs = std::filesystem;
using Disk = StandTest;

TEST_F(Disk, AbsolutePathsOnTheDiskLandInTheSandbox) {
  stand::WriteFile("/DataFiles/A.rec", "abc");
  struct stat st;
  ASSERT_EQ(lstat("/mnt/hd/DataFiles/A.rec", &st), 0);
  EXPECT_EQ(st.st_size, 3);
  int fd = open("/mnt/hd/DataFiles/A.rec", O_RDONLY);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_EQ(std::remove("/mnt/hd/DataFiles/A.rec"), 0);
  EXPECT_FALSE(stand::Exists("/DataFiles/A.rec"));
  EXPECT_EQ(stand::Trace().back(), "remove /DataFiles/A.rec");
}

TEST_F(Disk, NoPathClimbsOutOfTheSandbox) {
  // A file right beside the sandbox folder, which "/mnt/hd/.." would name.
  fs::path outside = fs::path(stand::DiskRoot()).parent_path() / "scrapdeck-outside-test";
  std::ofstream(outside) << "keep";
  std::string name = outside.filename().string();
  for (std::string path :
       {"/mnt/hd/../" + name, "/mnt/hd/DataFiles/../../" + name, "/mnt/hd/./../" + name}) {
    SCOPED_TRACE(path);
    struct stat st;
    EXPECT_NE(lstat(path.c_str(), &st), 0);
    EXPECT_LT(open(path.c_str(), O_RDONLY), 0);
    EXPECT_EQ(std::fopen(path.c_str(), "r"), nullptr);
    EXPECT_NE(std::remove(path.c_str()), 0);
    EXPECT_TRUE(fs::exists(outside));
  }
  // Inside the disk, ".." is fine as long as it stays there.
  stand::WriteFile("/DataFiles/B.rec", "b");
  struct stat st;
  EXPECT_EQ(lstat("/mnt/hd/ProgramFiles/../DataFiles/B.rec", &st), 0);
  fs::remove(outside);
}

// A misspelt fault would arm nothing and let a "nothing changed" test pass: it ends the run.
TEST(StandFaultsDeathTest, AnUnknownCallNameEndsTheRun) {
  EXPECT_DEATH(stand::FailHostCall("Fopne", 1), "no failable host call Fopne");
  EXPECT_DEATH(stand::HostCalls("Remove"), "no failable host call Remove");
}

}  // namespace
