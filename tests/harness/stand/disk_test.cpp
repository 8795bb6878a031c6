// The stand's disk as the plug-in's system-library calls see it.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

TEST_F(Disk, StartsAsACopyOfAFolder) {
  fs::path folder =
      fs::path(stand::DiskRoot()).parent_path() / ("from-" + std::to_string(getpid()));
  fs::create_directories(folder / "ProgramFiles/Settings/Fonts");
  std::ofstream(folder / "ProgramFiles/Settings/Fonts/A.ufnt") << "font";
  std::ofstream(folder / "README.txt") << "text";
  stand::WriteFile("/DataFiles/A.rec", "a");
  std::string error;
  EXPECT_TRUE(stand::CopyOntoDisk(folder.string(), error)) << error;
  EXPECT_EQ(stand::ReadFile("/ProgramFiles/Settings/Fonts/A.ufnt"), "font");
  EXPECT_EQ(stand::ReadFile("/README.txt"), "text");
  EXPECT_TRUE(stand::Exists("/DataFiles/A.rec"));
  fs::remove_all(folder);
  EXPECT_FALSE(stand::CopyOntoDisk(folder.string(), error));
  EXPECT_NE(error.find(folder.string()), std::string::npos);
}

// The disks live under the build folder; one that a dying process leaves behind goes
// with the next process's first reset, and no running process loses its own.
TEST_F(Disk, DisksOfDeadProcessesAreRemoved) {
  EXPECT_EQ(stand::DiskRoot().rfind(SCRAPDECK_BINARY_DIR "/", 0), 0u) << stand::DiskRoot();
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    stand::Reset();
    const std::string& root = stand::DiskRoot();
    ssize_t written = write(pipeEnds[1], root.data(), root.size());
    _exit(written == static_cast<ssize_t>(root.size()) ? 0 : 1);  // no cleanup, as in a crash
  }
  close(pipeEnds[1]);
  char path[512] = {};
  ssize_t got = read(pipeEnds[0], path, sizeof path - 1);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_GT(got, 0);
  ASSERT_TRUE(fs::is_directory(path));
  stand::RemoveDisksOfDeadProcesses();
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fs::is_directory(stand::DiskRoot()));
}

}  // namespace
