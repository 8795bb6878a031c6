// The plug-in's module state back as at its start, one reset per folder that keeps state
// (tests/system/state checks that together they cover all of it).
#include "core/main.h"
#include "lib/firmware/firmware.h"
#include "lib/font/font.h"
#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"
#include "lib/menu/menu.h"
#include "lib/osd/osd.h"
#include "settings/config.h"
#include "tests/support/stand_test.h"

void ResetToolkitState() {
  ResetFirmwareState();
  ResetHddState();
  ResetIniState();
  ResetFontState();
  ResetMenuState();
  ResetOsdState();
  settings_reset();
  core_reset();
}
