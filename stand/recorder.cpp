// Playback and recording.
#include "stand/stand.h"

namespace stand {
namespace {

int GetPlayInfo(TYPE_PlayInfo* info) {
  if (!info) return 0;
  *info = TYPE_PlayInfo{};
  return 1;
}

int GetRecInfo(byte slot, TYPE_RecInfo* info) {
  (void)slot;
  if (!info) return 0;
  *info = TYPE_RecInfo{};
  return 1;
}

int StopTs() {
  TraceCall("StopTs");
  return 1;
}
int StopMp3() {
  TraceCall("StopMp3");
  return 1;
}
int StopRecord(byte slot) {
  TraceCall("StopRecord " + std::to_string(slot));
  return 1;
}

}  // namespace

void ResetRecorder() {
  TAP_Hdd_GetPlayInfo = GetPlayInfo;
  TAP_Hdd_GetRecInfo = GetRecInfo;
  TAP_Hdd_StopTs = StopTs;
  TAP_Hdd_StopMp3 = StopMp3;
  TAP_Hdd_StopRecord = StopRecord;
}

}  // namespace stand
