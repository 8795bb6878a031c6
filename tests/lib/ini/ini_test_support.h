// Shared helpers of the settings file store tests.
#ifndef SCRAPDECK_TESTS_LIB_INI_INI_TEST_SUPPORT_H
#define SCRAPDECK_TESTS_LIB_INI_INI_TEST_SUPPORT_H

#include <cstring>
#include <string>

#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"
#include "tests/support/stand_test.h"

// The plug-in runs in slot 0 with its current directory in /DataFiles.
class IniTest : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    stand::SetSlotImage(0, "/ProgramFiles/Scrapdeck.tap");
    stand::SetSlotDir(0, "/DataFiles");
  }
  void TearDown() override { INICloseFile(); }

  // An open store holding text in a buffer of size bytes.
  static void Hold(const std::string& text, dword size = 512) {
    INICloseFile();
    INIBuffer = static_cast<char*>(TAP_MemAlloc(size));
    ASSERT_NE(INIBuffer, nullptr);
    BufferSize = size;
    std::memset(INIBuffer, 0, size);
    ASSERT_LT(text.size(), size);
    std::memcpy(INIBuffer, text.data(), text.size());
  }
  static std::string Text() { return INIBuffer ? std::string(INIBuffer) : std::string("(closed)"); }
  static std::string CurrentDir() { return stand::SlotDir(0); }
};

#endif
