// The event cycle: a stop key arms a stop source, the next event checks what was
// stopped and puts up the prompt, and the prompt's "Delete" removes the recording.
//
// Every event of the recorder passes through here, so the common roads (an idle
// tick or a key with nothing armed and no prompt) do no more than a few tests.
#include "core/main.h"

#include "core/fmtstring.h"
#include "core/stop_source.h"
#include "core/stopped_file.h"
#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"
#include "lib/osd/event.h"
#include "lib/osd/messagebox.h"
#include "settings/config.h"

namespace {

// A plug-in whose presence makes the prompt redraw on every event.
const dword REDRAW_PLUGIN_ID = 0x8E0A424E;
const dword TICKS_PER_SECOND = 100;
const int TITLE_SIZE = 80;
const int WRAPPED_SIZE = 254;
const int LINE_LENGTH = 34;

// The armed stop source: set when a stop key passes, cleared by the next check.
HANDLER* handler = nullptr;
// Tick at which the visible prompt closes by itself.
dword display_timeout = 0;

// Whether the tick `now` has reached `deadline`. Ticks are compared by their signed
// difference, so a deadline that lies beyond the 32-bit counter's wrap (after 497 days
// up) is still ahead until it comes.
bool Reached(dword now, dword deadline) {
  return static_cast<int32_t>(now - deadline) >= 0;
}

dword TimeoutTicks() {
  return static_cast<dword>(config[CONFIG_ROW_TIMEOUT].value) * TICKS_PER_SECOND;
}

dword AnswerManager(dword request) {
  switch (request) {
    case MANAGER_REQUEST_1:
    case MANAGER_REQUEST_5:
    case MANAGER_REQUEST_6:
      return MANAGER_ANSWER_YES;
    case MANAGER_REQUEST_SETTINGS:
      OSDMenuMessageBoxDestroy();
      config_set();
      return MANAGER_ANSWER_YES;
    case MANAGER_REQUEST_3:
      return MANAGER_ANSWER_3;
    default:
      return 0;
  }
}

// The first event after arming: prompt when the stop source names a stopped file
// that still exists. The check runs once per arming, whatever its outcome.
dword Check(dword param1) {
  const char* kind = handler->get_type();
  handler = nullptr;
  if (kind) {
    char title[TITLE_SIZE];
    char wrapped[WRAPPED_SIZE];
    TAP_SPrint(title, "%s stopped", kind);
    fmtstring(wrapped, WRAPPED_SIZE, filetitle, LINE_LENGTH, -1, default_separator_list);
    OSDMenuMessageBoxInitialize(title, wrapped);
    OSDMenuMessageBoxButtonAdd("Delete");
    OSDMenuMessageBoxButtonAdd("Keep");
    OSDMenuMessageBoxButtonSelect(1);
    OSDMenuMessageBoxShow();
    display_timeout = TAP_GetTick() + TimeoutTicks();
  }
  return param1;
}

// An event while the prompt is up. Only KEY_OK on "Delete" deletes; the timeout,
// KEY_EXIT and KEY_STOP all keep the recording.
dword Prompt(word event, dword param1, dword param2) {
  if (event == HOST_EVENT_KEY && param1 == KEY_SETTINGS) {
    OSDMenuMessageBoxDestroy();
    config_set();
    return 0;
  }
  dword now = TAP_GetTick();
  if (event == HOST_EVENT_KEY && (param1 == KEY_EXIT || param1 == KEY_STOP)) {
    display_timeout = now;  // the deadline is now: the box closes at once
    param1 = 0;
  }
  if (Reached(now, display_timeout)) {
    OSDMenuMessageBoxDestroy();
    return param1;
  }
  if (HDD_TAP_isRunning(REDRAW_PLUGIN_ID)) OSDMenuMessageBoxShow();
  if (OSDMenuEvent(&event, &param1, &param2)) display_timeout = now + TimeoutTicks();
  if (OSDMenuMessageBoxIsVisible() || OSDMenuMessageBoxLastButton() != 0) return param1;
  if (HDD_ChangeDir(filedir)) HDD_Delete(filename);
  return param1;
}

}  // namespace

int TAP_Main(void) {
  config_init();
  return 1;
}

dword TAP_EventHandler(dword event32, dword param1, dword param2) {
  word event = static_cast<word>(event32);
  if (event == HOST_EVENT_KEY) {
    param1 = config_chk(param1);
    if (!param1) return 0;
  } else if (event == HOST_EVENT_MANAGER) {
    return AnswerManager(param1);
  } else if (event != HOST_EVENT_IDLE) {
    return param1;
  }

  if (handler) return Check(param1);
  if (OSDMenuMessageBoxIsVisible()) return Prompt(event, param1, param2);
  if (event == HOST_EVENT_KEY) {
    int prompt_on = config[CONFIG_ROW_PROMPT_ON].value;
    if (param1 == KEY_STOP) handler = handler_play(prompt_on);
    if (param1 == KEY_OK) handler = handler_record(prompt_on);
  }
  return param1;
}

void core_reset(void) {
  handler = nullptr;
  display_timeout = 0;
  stopped_file_reset();
}
