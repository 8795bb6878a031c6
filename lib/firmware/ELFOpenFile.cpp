#include <fcntl.h>
#include <unistd.h>

#include "lib/firmware/firmware.h"
#include "lib/hdd/hdd.h"

int fTAP = -1;
dword ELFFileSize = 0;

bool ELFOpenFile(const char* fileName) {
  ELFCleanup();  // one image at a time
  if (!fileName || !*fileName) return false;
  char path[HDD_PATH_SIZE];
  ConvertPathType(fileName, path, PATH_LINUX_FILE);
  if (!path[0]) return false;
  fTAP = open(path, O_RDONLY);
  if (fTAP < 0) return false;
  // The size bounds every offset and size the image's headers claim.
  off_t size = lseek(fTAP, 0, SEEK_END);
  if (size < 0 || size > static_cast<off_t>(0x7FFFFFFF)) {
    ELFCleanup();
    return false;
  }
  ELFFileSize = static_cast<dword>(size);
  return true;
}
