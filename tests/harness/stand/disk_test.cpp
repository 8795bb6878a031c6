// The stand's disk as the plug-in's system-library calls see it.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "stand/scenario.h"
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

// A scenario's `file` makes recordings of real size as holes, beyond 2^31 and 2^32 up to
// the largest size a file may have; a size the disk cannot hold stops the run and leaves
// nothing behind; a size that is not one is refused with its line named.
TEST_F(Disk, ScenarioFilesOfRealSize) {
  struct Case {
    const char* size;
    stand::ScenarioResult result;  // PASSED or FAILED: a hole of that size, or nothing
  };
  const Case cases[] = {
      {"0", stand::SCENARIO_PASSED},
      {"2147483648", stand::SCENARIO_PASSED},
      {"5000000000", stand::SCENARIO_PASSED},
      {"4500000000", stand::SCENARIO_PASSED},
      // As large as a file may be: a disk that cannot hold it sparse stops the run.
      {"9223372036854775807", stand::SCENARIO_FAILED},
      {"9223372036854775808", stand::SCENARIO_UNREADABLE},
      {"18446744073709551616", stand::SCENARIO_UNREADABLE},
      {"-1", stand::SCENARIO_UNREADABLE},
      {"5e9", stand::SCENARIO_UNREADABLE},
      {"0x10", stand::SCENARIO_UNREADABLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    std::istringstream script(std::string("# a recording\nfile /DataFiles/Big.rec ") + c.size);
    stand::ScenarioOptions options;
    options.name = "sizes";
    std::ostringstream out, err;
    const stand::ScenarioResult result = stand::RunScenario(script, options, out, err);
    struct stat64 st;
    const bool made = lstat64("/mnt/hd/DataFiles/Big.rec", &st) == 0;
    if (c.result == stand::SCENARIO_PASSED ||
        (c.result == stand::SCENARIO_FAILED && result == stand::SCENARIO_PASSED)) {
      ASSERT_EQ(result, stand::SCENARIO_PASSED) << err.str();
      ASSERT_TRUE(made);
      EXPECT_EQ(uint64_t(st.st_size), std::stoull(c.size));
      EXPECT_LE(st.st_blocks * 512, 1 << 20) << "not a hole";
    } else {
      EXPECT_EQ(result, c.result);
      EXPECT_FALSE(made) << "half made";
      EXPECT_EQ(err.str().rfind("sizes:2: ", 0), 0u) << err.str();
    }
    std::remove("/mnt/hd/DataFiles/Big.rec");
  }
}
