#include <unistd.h>

#include "lib/firmware/firmware.h"

void ELFCleanup(void) {
  if (fTAP >= 0) close(fTAP);
  fTAP = -1;
  ELFFileSize = 0;
  if (ELFHeader) TAP_MemFree(ELFHeader);
  ELFHeader = nullptr;
  if (SectionHeaders) TAP_MemFree(SectionHeaders);
  SectionHeaders = nullptr;
  if (shstrtab) TAP_MemFree(shstrtab);
  shstrtab = nullptr;
  shstrtabSize = 0;
}
