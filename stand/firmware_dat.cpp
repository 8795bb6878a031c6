#include "stand/firmware_dat.h"

#include "stand/stand.h"

namespace {

void PutLe(std::string& out, size_t offset, dword value, int width) {
  for (int i = 0; i < width; ++i)
    out[offset + i] = static_cast<char>(value >> (8 * i));
}

}  // namespace

std::string MakeFirmwareDat(const std::vector<FirmwareDatModel>& models,
                            const FirmwareDatLayout& layout) {
  constexpr size_t kHeader = 20, kRecord = 348;
  std::string out(kHeader + kRecord * models.size(), '\xA5');
  PutLe(out, 0, layout.magic, 4);
  PutLe(out, 8, layout.word8, 4);
  PutLe(out, 12,
        layout.modelCount < 0 ? static_cast<dword>(models.size())
                              : static_cast<dword>(layout.modelCount),
        4);
  for (size_t i = 0; i < models.size(); ++i) {
    size_t record = kHeader + kRecord * i;
    PutLe(out, record, models[i].sysId, 2);
    PutLe(out, record + 324, models[i].recordSlots, 4);
  }
  return out + layout.trailer;
}

void WriteFirmwareDat(const std::string& diskFolder, const std::string& bytes) {
  stand::WriteFile(diskFolder + "/FirmwareTMS.dat", bytes);
}
