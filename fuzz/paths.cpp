// Path texts from the input: title wrapping, path form conversion, splitting a file
// name into its pieces and deleting a recording's file family by name.
#include <string.h>

#include "core/fmtstring.h"
#include "fuzz/fuzz.h"
#include "lib/hdd/hdd.h"
#include "stand/stand.h"

namespace {

// Whether HDD_Delete on this name stays inside the stand's disk: the name must
// become a Linux path below "/mnt/hd" without a ".." step. The fuzzer runs on a real
// machine, and the stand hands every other path to the system's own remove.
bool DeletesOnTheDisk(const char* name) {
  char full[HDD_PATH_SIZE];
  ConvertPathType(name, full, PATH_LINUX_FILE);
  if (strncmp(full, "/mnt/hd/", 8) != 0) return false;
  for (const char* p = full; (p = strstr(p, "..")); ++p) {
    const bool starts = p[-1] == '/';
    const bool ends = p[2] == '/' || p[2] == '\0';
    if (starts && ends) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // path #|# title #|# separators #|# numbers (buffer size, line length, split start)
  std::vector<std::string> f = fuzz::Split(data, size, 4);
  fuzz::BeginInput();
  std::vector<char> path = fuzz::Exact(f[0]);
  std::vector<char> title = fuzz::Exact(f[1]);
  std::vector<char> separators = fuzz::Exact(f[2]);
  const std::string& numbers = f[3];

  // Title wrapping into a buffer of exactly the size it is told.
  const int destinationSize = static_cast<int>(fuzz::Number(numbers, 0, 2) % 1024);
  const int lineLength = static_cast<int>(int8_t(fuzz::Number(numbers, 2, 1)));
  const int splitStart = static_cast<int>(int8_t(fuzz::Number(numbers, 3, 1)));
  std::vector<char> wrapped(destinationSize ? destinationSize : 1, '\x7F');
  fmtstring(wrapped.data(), destinationSize, title.data(), lineLength, splitStart,
            f[2].empty() ? default_separator_list : separators.data());
  if (destinationSize)
    fuzz::Check(memchr(wrapped.data(), 0, wrapped.size()) != nullptr, "a wrapped title ends");
  else
    fuzz::Check(wrapped[0] == '\x7F', "no room means nothing written");

  // Every form of the path, each into a buffer of exactly its documented size.
  fuzz::Check(GetPathType(path.data()) <= PATH_LINUX_FILE, "a path has one of the five forms");
  for (dword wanted = PATH_FILE_NAME; wanted <= PATH_LINUX_FILE; ++wanted) {
    std::vector<char> converted(wanted == PATH_FILE_NAME ? HDD_FILE_NAME_SIZE : HDD_PATH_SIZE);
    ConvertPathType(path.data(), converted.data(), wanted);
    fuzz::Check(memchr(converted.data(), 0, converted.size()) != nullptr, "a conversion ends");
  }

  std::vector<char> directory(HDD_PATH_SIZE), baseName(HDD_NAME_SIZE), extension(HDD_NAME_SIZE);
  int part = -1;
  bool isRecording = false, isDeleted = false;
  if (SeparateFileNameComponents(path.data(), directory.data(), baseName.data(), extension.data(),
                                 &part, &isRecording, &isDeleted))
    fuzz::Check(part >= 0 && part <= 9, "a part number is 0 to 9");

  // A recording to delete, so that removals meet real files now and then.
  stand::MakeDir("/DataFiles");
  stand::WriteFile("/DataFiles/Film.rec", "x");
  stand::WriteFile("/DataFiles/Film.rec.inf", "x");
  if (DeletesOnTheDisk(path.data())) HDD_Delete(path.data());
  for (const stand::TraceEntry& entry : stand::Trace())
    if (entry.call == stand::Call::Remove)
      fuzz::Check(entry.text.compare(0, 1, "/") == 0, "removals stay on the disk");
  fuzz::Check(fuzz::LiveBlocks() == 0, "path routines keep no memory");
  return 0;
}
