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
  EXPECT_EQ(stand::Trace().back(), stand::TraceEntry(stand::Call::Remove, {}, "/DataFiles/A.rec"));
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
// Native only: the forked child of a death test dies of another signal under qemu-user
// before its message is written, and the check is the same code in every build.
#if !defined(__mips__)
TEST(StandFaultsDeathTest, AnUnknownCallNameEndsTheRun) {
  EXPECT_DEATH(stand::FailHostCall("Fopne", 1), "no failable host call Fopne");
  EXPECT_DEATH(stand::HostCalls("Remove"), "no failable host call Remove");
}
#endif

TEST_F(Disk, StartsAsACopyOfAFolder) {
  fs::path folder =
      fs::path(stand::DiskRoot()).parent_path() / ("from-" + std::to_string(getpid()));
  fs::create_directories(folder / "ProgramFiles/Settings/Fonts");
  std::ofstream(folder / "ProgramFiles/Settings/Fonts/A.ufnt") << "font";
  std::ofstream(folder / "README.txt") << "text";
  // Links lead anywhere on the PC, or round in a circle: they are left out.
  fs::create_directory_symlink(folder, folder / "circle");
  fs::create_symlink(folder / "README.txt", folder / "link.txt");
  stand::WriteFile("/DataFiles/A.rec", "a");
  std::string error;
  EXPECT_TRUE(stand::CopyOntoDisk(folder.string(), error)) << error;
  EXPECT_EQ(stand::ReadFile("/ProgramFiles/Settings/Fonts/A.ufnt"), "font");
  EXPECT_EQ(stand::ReadFile("/README.txt"), "text");
  EXPECT_TRUE(stand::Exists("/DataFiles/A.rec"));
  EXPECT_FALSE(stand::Exists("/circle"));
  EXPECT_FALSE(stand::Exists("/link.txt"));
  fs::remove_all(folder);
  EXPECT_FALSE(stand::CopyOntoDisk(folder.string(), error));
  EXPECT_NE(error.find(folder.string()), std::string::npos);
}

// The disks live under the build folder; one that a dying process leaves behind goes
// with the next process's first reset, and no running process loses its own.
TEST_F(Disk, DisksOfDeadProcessesAreRemoved) {
  EXPECT_EQ(stand::DiskRoot().rfind(SCRAPDECK_BINARY_DIR "/", 0), 0u) << stand::DiskRoot();
  pid_t child = fork();  // a process id that is surely gone once the child is reaped
  ASSERT_GE(child, 0);
  if (child == 0) _exit(0);
  ASSERT_EQ(waitpid(child, nullptr, 0), child);
  fs::path folder = fs::path(stand::DiskRoot()).parent_path();
  fs::path dead = folder / ("disk-" + std::to_string(child) + "-left");
  fs::path alive = folder / ("disk-" + std::to_string(getpid()) + "-kept");
  for (const fs::path& disk : {dead, alive}) {
    fs::create_directories(disk / "DataFiles");
    std::ofstream(disk / "DataFiles/A.rec") << "a";
  }
  stand::RemoveDisksOfDeadProcesses();
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(alive / "DataFiles/A.rec"));
  EXPECT_TRUE(fs::is_directory(stand::DiskRoot()));
  fs::remove_all(alive);
}

}  // namespace
