// Shared fixture of the settings tests: the plug-in in slot 0, its current
// directory /DataFiles, the settings table as loaded at start.
#ifndef SCRAPDECK_TESTS_SETTINGS_SETTINGS_TEST_SUPPORT_H
#define SCRAPDECK_TESTS_SETTINGS_SETTINGS_TEST_SUPPORT_H

#include <string>

#include "lib/ini/ini.h"
#include "settings/config.h"
#include "settings/display.h"
#include "tests/support/stand_test.h"
#include "tests/support/trace.h"

class SettingsTest : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    stand::SetSlotImage(0, "/ProgramFiles/Scrapdeck.tap");
    stand::SetSlotDir(0, "/DataFiles");
  }
  void TearDown() override { display_clear(); }

  static const std::string& SettingsPath() {
    static const std::string path = "/ProgramFiles/Settings/Scrapdeck.ini";
    return path;
  }
  static int PromptOn() { return config[CONFIG_ROW_PROMPT_ON].value; }
  static int Timeout() { return config[CONFIG_ROW_TIMEOUT].value; }
};

#endif
