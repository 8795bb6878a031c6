#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"

dword MaxRecStreams = 0;

dword HDD_NumberOfRECSlots(void) {
  if (MaxRecStreams) return MaxRecStreams;
  const TYPE_FirmwareDatHeader* header = nullptr;
  const TYPE_FirmwareDatModel* models = nullptr;
  if (LoadFirmwareDat(&header, &models)) {
    word sysId = GetSysID();
    for (dword i = 0; i < header->modelCount; ++i) {
      if (models[i].sysId != sysId) continue;
      MaxRecStreams = models[i].recordSlots;
      break;
    }
  }
  if (MaxRecStreams > HDD_REC_SLOTS_MAX) MaxRecStreams = HDD_REC_SLOTS_MAX;
  // Every receiver of the platform records at least two streams at once.
  if (!MaxRecStreams) MaxRecStreams = 2;
  return MaxRecStreams;
}
