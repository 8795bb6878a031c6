// Playback and recording.
#include "stand/recorder.h"

#include <algorithm>
#include <cstring>

#include "stand/stand.h"

namespace stand {
namespace {

TYPE_PlayInfo play{};
std::string playing;

struct Slot {
  std::string diskPath;
  dword state = 1;
  bool failInfo = false;
};
Slot slots[RECORD_SLOTS_MAX];
dword modelSlots = 4;
// Recording slots in the order their recordings started, and whether the firmware asks
// whether to stop one.
std::vector<dword> recordOrder;
bool stopQuestion = false;

void Unorder(dword slot) {
  recordOrder.erase(std::remove(recordOrder.begin(), recordOrder.end(), slot), recordOrder.end());
}

std::string BaseName(const std::string& diskPath) {
  size_t slash = diskPath.rfind('/');
  return slash == std::string::npos ? diskPath : diskPath.substr(slash + 1);
}

int GetPlayInfo(TYPE_PlayInfo* info) {
  if (!info) return 0;
  *info = play;
  return 1;
}

int GetRecInfo(byte slot, TYPE_RecInfo* info) {
  if (!info || slot >= modelSlots || slots[slot].failInfo) return 0;
  *info = TYPE_RecInfo{};
  if (!slots[slot].diskPath.empty()) {
    info->recState = slots[slot].state;
    std::string name = BaseName(slots[slot].diskPath);
    std::strncpy(info->fileName, name.c_str(), sizeof info->fileName - 1);
  }
  return 1;
}

int StopTs() {
  TraceCall({Call::StopTs});
  StopPlay();
  return 1;
}
int StopMp3() {
  TraceCall({Call::StopMp3});
  StopPlay();
  return 1;
}
int StopRecord(byte slot) {
  TraceCall({Call::StopRecord, {slot}});
  StopRecording(slot);
  return 1;
}

}  // namespace

void ResetRecorder() {
  play = TYPE_PlayInfo{};
  playing.clear();
  for (auto& s : slots)
    s = Slot{};
  modelSlots = 4;
  recordOrder.clear();
  stopQuestion = false;
  TAP_Hdd_GetPlayInfo = GetPlayInfo;
  TAP_Hdd_GetRecInfo = GetRecInfo;
  TAP_Hdd_StopTs = StopTs;
  TAP_Hdd_StopMp3 = StopMp3;
  TAP_Hdd_StopRecord = StopRecord;
}

void Play(const std::string& diskPath, byte mode) {
  play = TYPE_PlayInfo{};
  play.playMode = mode;
  play.totalBlock = 1000;
  play.file = FileRecord(diskPath + ".inf");
  playing = diskPath;
}

void StopPlay() {
  play = TYPE_PlayInfo{};
  playing.clear();
}

std::string Playing() {
  return playing;
}

TYPE_PlayInfo& PlayInfo() {
  return play;
}

bool Record(dword slot, const std::string& diskPath) {
  if (slot >= modelSlots || slot >= RECORD_SLOTS_MAX) return false;
  slots[slot].diskPath = diskPath;
  slots[slot].state = 1;
  RecordFileArray()[slot].file = FileRecord(diskPath);
  Unorder(slot);
  recordOrder.push_back(slot);
  return true;
}

void StopRecording(dword slot) {
  if (slot >= RECORD_SLOTS_MAX) return;
  slots[slot].diskPath.clear();
  RecordFileArray()[slot].file = nullptr;
  Unorder(slot);
}

std::string Recording(dword slot) {
  return slot < RECORD_SLOTS_MAX ? slots[slot].diskPath : "";
}

void FailRecInfo(dword slot, bool fail) {
  if (slot < RECORD_SLOTS_MAX) slots[slot].failInfo = fail;
}

void SetModelSlots(dword count) {
  modelSlots = count < RECORD_SLOTS_MAX ? count : static_cast<dword>(RECORD_SLOTS_MAX);
}

void SetRecState(dword slot, dword state) {
  if (slot < RECORD_SLOTS_MAX) slots[slot].state = state;
}

dword ModelSlots() {
  return modelSlots;
}

std::string PassKeyToFirmware(dword key) {
  if (stopQuestion) {
    std::string done;
    if (key == KEY_OK && !recordOrder.empty()) {
      const dword slot = recordOrder.back();
      StopRecording(slot);
      done = "recording in slot " + std::to_string(slot) + " stopped";
    }
    if (key == KEY_OK || key == KEY_EXIT) stopQuestion = false;
    return done;
  }
  if (key != KEY_STOP) return "";
  if (!playing.empty()) {
    const std::string done = "playback of " + playing + " stopped";
    StopPlay();
    return done;
  }
  if (recordOrder.empty()) return "";
  stopQuestion = true;
  return "asks whether to stop the recording";
}

}  // namespace stand
