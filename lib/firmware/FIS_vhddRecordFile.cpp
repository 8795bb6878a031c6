#include "lib/firmware/firmware.h"

TYPE_RecordFile* FIS_hddRecordFileAddress = nullptr;

TYPE_RecordFile* FIS_vhddRecordFile(void) {
  if (!FIS_hddRecordFileAddress)
    FIS_hddRecordFileAddress = static_cast<TYPE_RecordFile*>(TryResolve("_hddRecordFile"));
  return FIS_hddRecordFileAddress;
}
