#include <unistd.h>

#include "lib/firmware/firmware.h"

bool ELFReadBlock(dword offset, void* destination, dword size) {
  if (fTAP < 0 || !destination) return false;
  // In 64 bits, so that a huge offset plus a size cannot wrap into the file.
  if (static_cast<unsigned long long>(offset) + size > ELFFileSize) return false;
  if (lseek(fTAP, static_cast<off_t>(offset), SEEK_SET) != static_cast<off_t>(offset)) return false;
  byte* at = static_cast<byte*>(destination);
  while (size) {
    ssize_t n = read(fTAP, at, size);
    if (n <= 0) return false;
    at += n;
    size -= static_cast<dword>(n);
  }
  return true;
}
