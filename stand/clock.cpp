// The virtual clock: 100 ticks a second, moved only by the stand and by the
// plug-in's own waits. Nothing here sleeps.
#include "stand/stand.h"

namespace stand {
namespace {

dword ticks = 0;
dword systemId = 0;

dword GetTick() {
  return ticks;
}
void Delay(dword n) {
  ticks += n;
}
void Sleep(dword n) {
  ticks += n;
}
dword GetSystemId() {
  return systemId;
}

// Modified Julian Day of a Gregorian date (days since 1858-11-17).
dword MakeMjd(word year, byte month, byte day) {
  long y = year;
  long m = month;
  if (m <= 2) {
    y -= 1;
    m += 12;
  }
  long days = 365 * y + y / 4 - y / 100 + y / 400 + (153 * (m - 3) + 2) / 5 + day;
  return static_cast<dword>(days - 678882);
}

}  // namespace

void ResetClock() {
  ticks = 0;
  systemId = 0;
  TAP_GetTick = GetTick;
  TAP_Delay = Delay;
  TAP_Sleep = Sleep;
  TAP_GetSystemId = GetSystemId;
  TAP_MakeMjd = MakeMjd;
}

dword Now() {
  return ticks;
}
void Advance(dword n) {
  ticks += n;
}
void SetClock(dword n) {
  ticks = n;
}
void SetSystemId(dword id) {
  systemId = id;
}

}  // namespace stand
