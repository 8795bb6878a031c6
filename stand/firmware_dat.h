// Model table files ("FirmwareTMS.dat"). The stand never ships a real one: a test
// or a scenario (model-slots) writes the table it needs onto the sandbox disk.
#ifndef SCRAPDECK_STAND_FIRMWARE_DAT_H
#define SCRAPDECK_STAND_FIRMWARE_DAT_H

#include <string>
#include <vector>

#include "host/tap.h"

struct FirmwareDatModel {
  word sysId;
  dword recordSlots;
};

struct FirmwareDatLayout {
  dword magic = 0x12345678;
  dword word8 = 0;            // must be 0 in a valid file
  long long modelCount = -1;  // the header's count; -1: the number of models given
  std::string trailer;        // bytes after the records
};

// The bytes of a model table: a 20-byte header, then one 348-byte record per model.
// Fields the plug-in does not read are filled with a pattern, not zeros, so that
// reading at a wrong offset shows.
std::string MakeFirmwareDat(const std::vector<FirmwareDatModel>& models,
                            const FirmwareDatLayout& layout = {});

// Writes bytes as FirmwareTMS.dat into a disk folder ("/ProgramFiles/Settings").
void WriteFirmwareDat(const std::string& diskFolder, const std::string& bytes);

#endif
