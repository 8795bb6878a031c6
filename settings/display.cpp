// The settings window.
#include "settings/display.h"

#include "host/runtime.h"
#include "settings/config.h"

WIN* win = nullptr;

namespace {

// Largest value text: a sign, up to ten digits, ':' and two digits, or an
// enumeration text behind a space.
const int VALUE_TEXT_SIZE = 40;

// The text and colour that show row i's value.
dword value_text(int i, char* text) {
  const CONFIG_ENTRY& row = config[i];
  if (config_disabled[i]) {
    TAP_SPrint(text, " -----");
    return WIN_DISABLED_COLOUR;
  }
  if (row.enumset >= 0) {
    if (row.value < 0 || row.value >= config_enum_values) {
      TAP_SPrint(text, " ?");
      return WIN_NUMBER_COLOUR;
    }
    int entry = row.enumset * config_enum_values + row.value;
    TAP_SPrint(text, " %s", config_enumtexts[entry]);
    return config_enumcolors[entry];
  }
  char sign = ' ';
  dword colour = WIN_NUMBER_COLOUR;
  long long seconds = row.value;
  if (seconds < 0) {
    sign = '-';
    colour = WIN_NEGATIVE_COLOUR;
    seconds = -seconds;
  } else if (seconds > 0 && row.min < 0) {
    sign = '+';
    colour = WIN_POSITIVE_COLOUR;
  }
  long minutes = static_cast<long>(seconds / 60);
  long rest = static_cast<long>(seconds % 60);
  // From 100 minutes on the seconds no longer fit the value column.
  if (minutes < 100)
    TAP_SPrint(text, "%c%ld:%02ld", sign, minutes, rest);
  else
    TAP_SPrint(text, "%c%ld", sign, minutes);
  return colour;
}

}  // namespace

void* WIN::operator new(size_t size) noexcept {
  return ObjectAlloc(size);
}

void WIN::operator delete(void* block) noexcept {
  ObjectFree(block);
}

WIN::WIN(int x, int y, int w, int h) : region(0), width(w) {
  TAP_SysOsdControl(1, 0);
  region = TAP_Osd_Create(x, y, w, h, 0, OSD_FLAG_PLANE);
  TAP_Osd_Draw3dBoxFill(region, 0, 0, w, h, WIN_FRAME_COLOUR, WIN_FRAME_COLOUR,
                        WIN_BACKGROUND_COLOUR);
}

WIN::~WIN() {
  TAP_Osd_Delete(region);
  TAP_Osd_Sync();
  TAP_SysOsdControl(1, 1);
}

void WIN::puttextval(int x, int row, const char* label, const char* text, dword colour,
                     bool selected) {
  int y = row * WIN_ROW_HEIGHT + WIN_MARGIN;
  int right = width - WIN_MARGIN;
  TAP_Osd_PutS(region, WIN_MARGIN, y, right, label, WIN_LABEL_COLOUR, WIN_BACKGROUND_COLOUR, 0, 0,
               0, 0);
  // Space-led and '-'-led values are moved right so that their digits line up with
  // those of '+'-led ones.
  int shift = text[0] == ' ' ? 4 : text[0] == '-' ? 3 : 0;
  dword foreground = selected ? WIN_BACKGROUND_COLOUR : colour;
  dword background = selected ? colour : WIN_BACKGROUND_COLOUR;
  TAP_Osd_PutS(region, x + shift + WIN_MARGIN, y, right, text, foreground, background, 0, 0, 0, 0);
}

bool display_config(int selected) {
  if (!win) {
    int height = config_num * WIN_ROW_HEIGHT + 34;
    int width = (config_textwidth + WIN_MARGIN) + (config_valwidth + WIN_MARGIN);
    win = new WIN((SCREEN_WIDTH - width) / 2, (SCREEN_HEIGHT - height) / 3, width, height);
    if (!win) return false;
  }
  TAP_Osd_PutS(win->region, WIN_MARGIN, WIN_MARGIN, win->width - WIN_MARGIN, TAP_PROGRAM_NAME,
               WIN_TITLE_COLOUR, WIN_BACKGROUND_COLOUR, 0, 0, 0, 1);
  for (int i = 0; i < config_num; ++i) {
    char text[VALUE_TEXT_SIZE];
    dword colour = value_text(i, text);
    win->puttextval(config_textwidth + WIN_MARGIN, i + 1, config[i].label, text, colour,
                    i == selected);
  }
  TAP_Osd_Sync();
  return true;
}

void display_clear(void) {
  if (!win) return;
  delete win;
  win = nullptr;
}
