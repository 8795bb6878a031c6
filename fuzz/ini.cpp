// The settings file store on arbitrary file bytes: the file is read, keys taken from
// the input are read and changed, and the text is saved and closed again.
#include <ctype.h>
#include <limits.h>
#include <string.h>

#include "fuzz/fuzz.h"
#include "lib/ini/ini.h"
#include "stand/stand.h"

namespace {

const char kFile[] = "/ProgramFiles/Settings/Scrapdeck.ini";

// A key that cannot be mistaken for part of another entry's text.
bool PlainKey(const std::string& key) {
  if (key.empty() || key.size() > 20) return false;
  for (char c : key)
    if (!isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // file #|# key #|# value #|# key of a number #|# the number (4 bytes)
  std::vector<std::string> f = fuzz::Split(data, size, 5);
  fuzz::BeginInput();
  stand::WriteFile(kFile, f[0]);
  const std::string key = f[1].c_str(), value = f[2].c_str(), numberKey = f[3].c_str();
  const int number = static_cast<int>(fuzz::Number(f[4], 0, 4));

  const dword location = INIOpenFile("Scrapdeck.ini", nullptr);
  if (location == INILOCATION_NotFound) {
    INICloseFile();
    fuzz::Check(fuzz::LiveBlocks() == 0, "a failed open keeps no buffer after the close");
    return 0;
  }
  fuzz::Check(location == INILOCATION_AtSettings, "the file is found in /ProgramFiles/Settings");
  fuzz::Check(INIBuffer && strnlen(INIBuffer, BufferSize) < BufferSize, "the text is terminated");
  // Every byte of the file is in the text, line ends and zero bytes included (all but
  // zero bytes at its very end); an empty file reads as one empty line.
  std::string file = f[0];
  while (!file.empty() && !file.back())
    file.pop_back();
  fuzz::Check(std::string(INIBuffer, INITextLength()) == (file.empty() ? "\r\n" : file),
              "the text holds the file's bytes");

  for (const char* k : {key.c_str(), "timeout", "prompt_on"}) {
    int got = INIGetInt(k, 7, -1000, 1000);
    fuzz::Check(got >= -1000 && got <= 1000, "INIGetInt stays within its limits");
  }
  INISetString(key.c_str(), value.c_str());
  fuzz::Check(strnlen(INIBuffer, BufferSize) < BufferSize, "the text stays terminated");

  const std::string before(INIBuffer, INITextLength());
  INISetInt(numberKey.c_str(), number);
  fuzz::Check(strnlen(INIBuffer, BufferSize) < BufferSize, "the text stays terminated");
  // A plain key that was written reads back as the number written.
  if (PlainKey(numberKey) && before != std::string(INIBuffer, INITextLength()))
    fuzz::Check(INIGetInt(numberKey.c_str(), 7, INT_MIN, INT_MAX) == number,
                "a number set is read back");

  if (INISaveFile("Scrapdeck.ini", location, nullptr))
    fuzz::Check(stand::ReadFile(kFile) == std::string(INIBuffer, INITextLength()),
                "a saved file holds the text");
  INICloseFile();
  fuzz::Check(!INIBuffer && fuzz::LiveBlocks() == 0, "the close frees every buffer");
  return 0;
}
