#include <stdio.h>
#include <sys/stat.h>

#include "lib/firmware/firmware.h"

byte* FWDATBin = nullptr;

bool LoadFirmwareDat(const TYPE_FirmwareDatHeader** header,
                     const TYPE_FirmwareDatModel** modelRecords) {
  if (!FWDATBin) {
    // The copy under Settings wins over the one in the plug-in folder.
    char path[512];
    // The 64-bit record: its layout is the same under every C library of the
    // platform, where struct stat's is not (and it holds any size).
    struct stat64 st;
    TAP_SPrint(path, "%s/ProgramFiles/Settings/%s", DISK_ROOT, "FirmwareTMS.dat");
    if (lstat64(path, &st) != 0) {
      TAP_SPrint(path, "%s/ProgramFiles/%s", DISK_ROOT, "FirmwareTMS.dat");
      if (lstat64(path, &st) != 0) return false;
    }
    // The records are counted from the header and read in place, so the file must
    // hold the header and every record it announces; nothing is read beyond it.
    if (st.st_size < static_cast<int64_t>(sizeof(TYPE_FirmwareDatHeader)) ||
        st.st_size > static_cast<int64_t>(0x7FFFFFFF))
      return false;
    dword size = static_cast<dword>(st.st_size);

    FILE* file = fopen(path, "r");
    if (!file) return false;
    FWDATBin = static_cast<byte*>(TAP_MemAlloc(size));
    if (!FWDATBin) {
      fclose(file);
      return false;
    }
    bool complete = fread(FWDATBin, size, 1, file) == 1;
    fclose(file);

    const auto* head = reinterpret_cast<const TYPE_FirmwareDatHeader*>(FWDATBin);
    dword room = (size - sizeof(TYPE_FirmwareDatHeader)) / sizeof(TYPE_FirmwareDatModel);
    if (!complete || head->magic != FIRMWARE_DAT_MAGIC || head->zero != 0 ||
        head->modelCount > room) {
      TAP_MemFree(FWDATBin);
      FWDATBin = nullptr;
      return false;
    }
  }
  if (header) *header = reinterpret_cast<const TYPE_FirmwareDatHeader*>(FWDATBin);
  if (modelRecords)
    *modelRecords =
        reinterpret_cast<const TYPE_FirmwareDatModel*>(FWDATBin + sizeof(TYPE_FirmwareDatHeader));
  return true;
}
