// The model table on arbitrary bytes: the file is loaded and checked, every record
// it announces is read in place, and the record slot count is taken from it.
#include "fuzz/fuzz.h"
#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"
#include "stand/stand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // model table #|# system id (2 bytes)
  std::vector<std::string> f = fuzz::Split(data, size, 2);
  fuzz::BeginInput();
  FWDATBin = nullptr;
  MaxRecStreams = 0;
  stand::SetSystemId(fuzz::Number(f[1], 0, 4));
  stand::WriteFile("/ProgramFiles/Settings/FirmwareTMS.dat", f[0]);

  const TYPE_FirmwareDatHeader* header = nullptr;
  const TYPE_FirmwareDatModel* models = nullptr;
  if (LoadFirmwareDat(&header, &models)) {
    fuzz::Check(header && models && FWDATBin, "a loaded table is at hand");
    fuzz::Check(20 + 348ull * header->modelCount <= f[0].size(),
                "every record announced lies inside the file");
    // Read every record in place; the sanitizer sees a read past the block.
    dword sum = 0;
    for (dword i = 0; i < header->modelCount; ++i)
      sum += models[i].sysId + models[i].recordSlots;
    (void)sum;
  } else {
    fuzz::Check(!FWDATBin && fuzz::LiveBlocks() == 0, "a refused table is freed");
  }

  const dword slots = HDD_NumberOfRECSlots();
  fuzz::Check(slots >= 1 && slots <= HDD_REC_SLOTS_MAX, "the record slot count is usable");
  for (byte slot = 0; slot <= HDD_REC_SLOTS_MAX; ++slot) {
    TYPE_File* file = nullptr;
    void* second = nullptr;
    void* third = nullptr;
    const bool known = HDD_GetRecSlotFiles(slot, &file, &second, &third);
    fuzz::Check(known == (slot < slots), "slots below the count, and only those, are known");
  }
  return 0;
}
