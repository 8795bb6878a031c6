#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"

bool HDD_GetRecSlotFiles(byte slot, TYPE_File** recordingFile, void** second, void** third) {
  TYPE_RecordFile* files = FIS_vhddRecordFile();
  bool known = files && slot < HDD_NumberOfRECSlots();
  if (recordingFile) *recordingFile = known ? files[slot].file : nullptr;
  if (second) *second = known ? files[slot].second : nullptr;
  if (third) *third = known ? files[slot].third : nullptr;
  return known;
}
