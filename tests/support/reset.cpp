#include "lib/firmware/firmware.h"
#include "tests/support/stand_test.h"

void ResetToolkitState() {
  FIS_TAPTableAddress = nullptr;
  FIS_CurTapTaskAddress = nullptr;
  FIS_hddRecordFileAddress = nullptr;
  FIS_OsdMapAddress = nullptr;
  FIS_ConvertToValidUTF8StrAddress = nullptr;
}
