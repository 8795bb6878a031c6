// The stand's faults of the system-library calls on disk files: the armed call fails
// once, on a disk file only, and every call on a disk file is counted.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <string>

#include "tests/support/stand_test.h"

namespace {

const char kDiskFile[] = "/mnt/hd/ProgramFiles/Settings/x.bin";

class FaultHooks : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    stand::WriteFile("/ProgramFiles/Settings/x.bin", "0123456789");
    other_ = stand::HostPath("/ProgramFiles/Settings/x.bin");  // same file, not via /mnt/hd
  }
  std::string other_;
};

// Each call, given a path, reports whether it worked.
struct Row {
  const char* call;
  std::function<bool(const char*)> works;
};

bool OpenWorks(const char* path) {
  int fd = open(path, O_RDONLY);
  if (fd >= 0) close(fd);
  return fd >= 0;
}
bool ReadWorks(const char* path) {
  int fd = open(path, O_RDONLY);
  char bytes[4];
  bool ok = fd >= 0 && read(fd, bytes, sizeof bytes) == 4;
  if (fd >= 0) close(fd);
  return ok;
}
bool SeekWorks(const char* path) {
  int fd = open(path, O_RDONLY);
  bool ok = fd >= 0 && lseek(fd, 3, SEEK_SET) == 3;
  if (fd >= 0) close(fd);
  return ok;
}
bool FopenWorks(const char* path) {
  FILE* f = std::fopen(path, "r");
  if (f) std::fclose(f);
  return f != nullptr;
}
bool FreadWorks(const char* path) {
  FILE* f = std::fopen(path, "r");
  char bytes[4];
  bool ok = f && std::fread(bytes, sizeof bytes, 1, f) == 1;
  if (f) std::fclose(f);
  return ok;
}

TEST_F(FaultHooks, TheArmedCallFailsOnceOnDiskFilesOnly) {
  const Row rows[] = {{"open", OpenWorks},
                      {"read", ReadWorks},
                      {"lseek", SeekWorks},
                      {"fopen", FopenWorks},
                      {"fread", FreadWorks}};
  for (const Row& row : rows) {
    SetUp();
    stand::FailHostCall(row.call, 2);
    EXPECT_TRUE(row.works(other_.c_str())) << row.call;  // not a disk path: not counted
    EXPECT_EQ(stand::HostCalls(row.call), 0u) << row.call;
    EXPECT_TRUE(row.works(kDiskFile)) << row.call;
    errno = 0;
    EXPECT_FALSE(row.works(kDiskFile)) << row.call;
    // fread reports nothing read, with no error number of its own.
    if (std::string(row.call) != "fread") {
      EXPECT_EQ(errno, EIO) << row.call;
    }
    EXPECT_TRUE(row.works(kDiskFile)) << row.call;
    EXPECT_EQ(stand::HostCalls(row.call), 3u) << row.call;
  }
}

TEST_F(FaultHooks, AFailedRemoveIsTracedAndLeavesTheFile) {
  stand::FailHostCall("remove", 1);
  EXPECT_NE(std::remove(kDiskFile), 0);
  EXPECT_TRUE(stand::Exists("/ProgramFiles/Settings/x.bin"));
  EXPECT_EQ(std::remove(kDiskFile), 0);
  EXPECT_FALSE(stand::Exists("/ProgramFiles/Settings/x.bin"));
  ASSERT_EQ(stand::Trace().size(), 2u);
  EXPECT_EQ(stand::Trace()[0],
            stand::TraceEntry(stand::Call::Remove, {}, "/ProgramFiles/Settings/x.bin"));
  EXPECT_EQ(stand::HostCalls("remove"), 2u);
}

}  // namespace
