// The stand's playback and record slots, as the firmware reports them to plug-ins
// (TAP_Hdd_GetPlayInfo, TAP_Hdd_GetRecInfo, the record-file array "_hddRecordFile")
// and as its stop calls end them (TAP_Hdd_StopTs, TAP_Hdd_StopMp3,
// TAP_Hdd_StopRecord). Every stop call is traced ("StopTs", "StopMp3",
// "StopRecord N"). After stand::Reset nothing plays, nothing records, and the
// recorder has 4 record slots and no model table file.
#ifndef SCRAPDECK_STAND_RECORDER_H
#define SCRAPDECK_STAND_RECORDER_H

#include <string>
#include <vector>

#include "host/tap.h"

namespace stand {

// Plays a recording (a disk path, "/DataFiles/Film.rec") in a play mode (2 for a
// recording; 5 for the firmware's special mode). The play information then reports
// the mode, a non-zero block count and a host file record whose path is the
// recording's absolute path followed by ".inf", as the recorder reports it.
void Play(const std::string& diskPath, byte mode = 2);
// Ends the playback without a trace entry (as the user's own stop key does).
void StopPlay();
// The disk path being played, "" when nothing plays.
std::string Playing();
// Direct access to the play information the firmware reports, for odd cases.
TYPE_PlayInfo& PlayInfo();

// Starts a recording into a disk path in a record slot below ModelSlots(): its
// record information says "running" (state word 1) with the file's name, and its
// record-file array entry holds a host file record of the file's absolute path.
// False for a slot the recorder does not have.
bool Record(dword slot, const std::string& diskPath);
// Ends a slot's recording without a trace entry.
void StopRecording(dword slot);
// The disk path a slot records, "" when the slot is idle.
std::string Recording(dword slot);
// Makes TAP_Hdd_GetRecInfo fail for a slot (true) or answer again (false).
void FailRecInfo(dword slot, bool fail);
// The state word a recording slot reports (1 after Record; the firmware puts
// other news into its middle bytes).
void SetRecState(dword slot, dword state);

// The firmware's own handling of a key that the plug-in passed on (returned from its
// event entry): KEY_STOP ends the playback, or with recordings running asks whether to
// stop one; KEY_OK then stops the newest recording, and KEY_OK or KEY_EXIT closes the
// question. Returns what the firmware did ("playback of /DataFiles/x.rec stopped"), ""
// when the key changed nothing.
std::string PassKeyToFirmware(dword key);

// The recorder model's number of record slots (at most RECORD_SLOTS_MAX): the slots
// that TAP_Hdd_GetRecInfo answers for and Record accepts. The plug-in learns the
// count from the model table file on the disk, which tests write themselves.
void SetModelSlots(dword slots);
dword ModelSlots();

}  // namespace stand

#endif
