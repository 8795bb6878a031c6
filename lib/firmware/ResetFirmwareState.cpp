#include <unistd.h>

#include "lib/firmware/firmware.h"

void ResetFirmwareState(void) {
  FIS_TAPTableAddress = nullptr;
  FIS_CurTapTaskAddress = nullptr;
  FIS_hddRecordFileAddress = nullptr;
  FIS_OsdMapAddress = nullptr;
  FIS_ConvertToValidUTF8StrAddress = nullptr;
  FWDATBin = nullptr;
  UTFFirmwareFirstCall = true;
  UTFFirmwareAnswer = false;
  if (fTAP >= 0) close(fTAP);  // an image left open
  fTAP = -1;
  ELFFileSize = 0;
  ELFHeader = nullptr;
  SectionHeaders = nullptr;
  shstrtab = nullptr;
  shstrtabSize = 0;
}
