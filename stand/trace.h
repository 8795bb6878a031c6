// The stand's traces: the firmware and host calls tests look for, one typed entry a call.
//
// The call trace (stand::Trace()) holds the recorder's stops and the removals of disk
// files; the OSD trace (stand::OsdTrace()) the drawing and display-mode calls. An entry
// keeps the call's numbers in the order of its line below and, where it has one, its text.
#ifndef SCRAPDECK_STAND_TRACE_H
#define SCRAPDECK_STAND_TRACE_H

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace stand {

// Each call and its line: numbers in decimal, colours as eight upper-case hex digits,
// region flags in hex.
enum class Call {
  StopTs,         // "StopTs"
  StopMp3,        // "StopMp3"
  StopRecord,     // "StopRecord 1"                   slot
  HddDelete,      // "delete /DataFiles/x.rec"        TAP_Hdd_Delete, text: the disk path
  Remove,         // "remove /DataFiles/x.rec"        remove() of a disk file, text: the disk path
  Create,         // "Create 1 170 193 380 190 0"     handle x y width height flags
  Delete,         // "Delete 1"                       handle
  Sync,           // "Sync"
  FillBox,        // "FillBox 3 0 0 10 10 FF181818"   region x y width height colour
  Draw3dBoxFill,  // "Draw3dBoxFill 3 0 0 294 74 FF7F7F7F FF7F7F7F FF181818"  ... light dark fill
  DrawRectangle,  // "DrawRectangle 3 0 0 10 10 2 FF808080"  ... thickness colour
  PutGd,          // "PutGd 3 0 0 380x190 0"          region x y width height sprite; text "null"
                  //                                  (shown for the size) when no graphic came
  PutS,           // "PutS 3 6 6 288 FF00FFFF FF181818 0 0 0 1 Scrapdeck"
                  //   region x y maxX fore back type size dotted align, text: the text
  Copy,     // "Copy 4 5 0 0 100 88 0 0 0"      source destination sx sy width height dx dy sprite
  SaveBox,  // "SaveBox 3 0 0 10 10"            region x y width height
  RestoreBox,     // "RestoreBox 3 0 0 10 10"         region x y width height
  ExitNormal,     // "ExitNormal"
  EnterNormal,    // "EnterNormal"
  SysOsdControl,  // "SysOsdControl 1 0"              item state
};

struct TraceEntry {
  TraceEntry(Call call, std::vector<int64_t> numbers = {}, std::string text = "")
      : call(call), numbers(std::move(numbers)), text(std::move(text)) {}
  Call call;
  std::vector<int64_t> numbers;
  std::string text;
};
bool operator==(const TraceEntry& a, const TraceEntry& b);
bool operator!=(const TraceEntry& a, const TraceEntry& b);

// The entry's line as above.
std::string Line(const TraceEntry& entry);
std::ostream& operator<<(std::ostream& out, const TraceEntry& entry);
// True when the call's number at `index` is a colour.
bool IsColour(Call call, size_t index);

}  // namespace stand

#endif
