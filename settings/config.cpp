// The settings table, its keys and its persistence in "Scrapdeck.ini".
#include "settings/config.h"

#include <string.h>

#include "lib/ini/ini.h"
#include "settings/display.h"

// The rows as the plug-in starts with them.
#define CONFIG_PROMPT_ON_ROW \
  { 0, 1, 0, 2, 0, "prompt_on", "Prompt to delete file on" }
#define CONFIG_TIMEOUT_ROW \
  { 30, 1, 1, 59940, -1, "timeout", "Window timeout" }

CONFIG_ENTRY config[config_num] = {CONFIG_PROMPT_ON_ROW, CONFIG_TIMEOUT_ROW};
const char* const config_enumtexts[] = {"PLAY & RECORD", "PLAY only", "RECORD only"};
const dword config_enumcolors[] = {0xFFFFFF00, 0xFF00FF00, 0xFFFF0000};
byte config_disabled[config_num] = {0, 0};
int config_value_save[config_num] = {0, 0};
int ix = -1;
const char config_file[14] = "Scrapdeck.ini";

void config_reset(void) {
  static const CONFIG_ENTRY defaults[config_num] = {CONFIG_PROMPT_ON_ROW, CONFIG_TIMEOUT_ROW};
  memcpy(config, defaults, sizeof config);
  memset(config_disabled, 0, sizeof config_disabled);
  memset(config_value_save, 0, sizeof config_value_save);
  ix = -1;
}

void settings_reset(void) {
  config_reset();
  win = nullptr;
}

void config_init(void) {
  // A file that cannot be read leaves the defaults: a stump of it would give
  // values the user never chose.
  bool readable = INIOpenFile(config_file, nullptr) != INILOCATION_NotFound;
  for (int i = 0; i < config_num; ++i) {
    CONFIG_ENTRY& row = config[i];
    if (row.key && !row.key[0]) row.key = nullptr;
    if (!row.key) continue;
    if (readable) row.value = INIGetInt(row.key, row.value, row.min, row.max);
    config_value_save[i] = row.value;
  }
  INICloseFile();
}

void config_set(void) {
  if (ix < 0) ix = 0;
  // Without a window on screen the keys must not vanish into it.
  if (!display_config(ix)) ix = -1;
}

void inc_index(int delta) {
  for (int tries = 0; tries < config_num; ++tries) {
    ix += delta;
    if (ix < 0) ix = config_num - 1;
    if (ix >= config_num) ix = 0;
    if (!config_disabled[ix]) return;
  }
}

void inc_value(int delta) {
  CONFIG_ENTRY& row = config[ix];
  long long value = static_cast<long long>(row.value) + static_cast<long long>(delta) * row.step;
  bool enumeration = row.enumset >= 0;
  if (value < row.min)
    row.value = enumeration ? row.max : row.min;
  else if (value > row.max)
    row.value = enumeration ? row.min : row.max;
  else
    row.value = static_cast<int>(value);
}

namespace {

// Closes the window; what changed since the last read or write goes to the file in
// "/ProgramFiles/Settings", keeping every other line the file holds.
void config_close(void) {
  ix = -1;
  // Re-read first, so that lines other programs or the user put in stay. A file
  // that cannot be read whole is not written over: that would drop those lines.
  bool readable = INIOpenFile(config_file, nullptr) != INILOCATION_NotFound;
  bool changed = false;
  for (int i = 0; i < config_num; ++i) {
    const CONFIG_ENTRY& row = config[i];
    if (!row.key || row.value == config_value_save[i]) continue;
    config_value_save[i] = row.value;
    if (readable) INISetInt(row.key, row.value);
    changed = true;
  }
  if (readable && changed) INISaveFile(config_file, INILOCATION_AtSettings, nullptr);
  INICloseFile();
  display_clear();
}

}  // namespace

dword config_chk(dword key) {
  if (ix < 0) return key;
  switch (key) {
    case KEY_LEFT:
      inc_value(-1);
      break;
    case KEY_RIGHT:
      inc_value(+1);
      break;
    case KEY_UP:
      inc_index(-1);
      break;
    case KEY_DOWN:
      inc_index(+1);
      break;
    case KEY_EXIT:
    case KEY_SETTINGS:
    case KEY_OK:
      config_close();
      return 0;
    default:
      return key;
  }
  config_set();
  return 0;
}
