// The plug-in's two user settings: which stops prompt for deletion and how long the
// prompt waits. One table drives loading them from "Scrapdeck.ini", editing them in
// the settings window and writing back what changed. All state is static.
#ifndef SCRAPDECK_SETTINGS_CONFIG_H
#define SCRAPDECK_SETTINGS_CONFIG_H

#include "host/tap.h"

// One setting.
struct CONFIG_ENTRY {
  int value;  // the number, or the index of the chosen enumeration text
  int step;   // added or taken away by one key press
  int min;    // a negative min also shows positive numbers with a '+'
  int max;
  int enumset;        // enumeration of the value's texts and colours; -1 for seconds
  const char* key;    // INI key; null (an empty key turns null on load): not stored
  const char* label;  // shown in the window's left column
};

enum : int {
  config_num = 2,            // rows of config
  config_enum_values = 3,    // entries per enumeration in the text and colour tables
  config_valwidth = 130,     // window's value column, pixels
  config_textwidth = 152,    // window's label column, pixels
  CONFIG_ROW_PROMPT_ON = 0,  // which stops prompt: one of the PROMPT_ON_ values
  CONFIG_ROW_TIMEOUT = 1,    // seconds the message box waits
};

// The values of prompt_on, in the order of its enumeration texts.
enum : int {
  PROMPT_ON_PLAY_AND_RECORD = 0,
  PROMPT_ON_PLAY_ONLY = 1,
  PROMPT_ON_RECORD_ONLY = 2,
};

extern CONFIG_ENTRY config[config_num];
extern const char* const config_enumtexts[];
extern const dword config_enumcolors[];
// Non-zero marks a row the cursor skips and the window greys; nothing sets one.
extern byte config_disabled[config_num];
// Per row, the value as last read from or written to the file.
extern int config_value_save[config_num];
// The selected row while the settings window is open; -1 while it is closed.
extern int ix;
extern const char config_file[14];

// Loads the settings from the file (defaults where it has none).
void config_init(void);
// Opens the settings window on the first row, or redraws it.
void config_set(void);
// Handles a key while the window is open: 0 when it was used, else the key.
dword config_chk(dword key);
// Moves the cursor by one row, wrapping round and skipping disabled rows.
void inc_index(int delta);
// Changes the selected value by one step: numbers stop at their limits,
// enumerations wrap round.
void inc_value(int delta);

// Puts the table, the saved values and the cursor back as the plug-in starts with
// them, as when it is started anew; the window is not touched.
void config_reset(void);

// The settings' module state as at the plug-in's start: config_reset, and no window
// (its memory is taken to be gone already).
void settings_reset(void);

#endif
