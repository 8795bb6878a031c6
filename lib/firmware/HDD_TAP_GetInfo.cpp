#include <stdlib.h>
#include <string.h>

#include "lib/firmware/firmware.h"

bool HDD_TAP_GetInfo(const char* fileName, TAPInfo* info) {
  if (!info) return false;
  dword id = 0;
  dword index = 0;
  if (ELFOpenFile(fileName) && ELFReadELFHeader() && ELFReadSectionHeaders() &&
      ELFReadShstrtabSection())
    index = ELFGetSectionIndex("._tap_id");
  if (!index || !ELFReadDWORD(index, &id)) {
    ELFCleanup();
    return false;
  }
  info->id = id;

  // A text section is read into a cleared field and cut one byte short of it, so
  // the field always ends with a NUL however long or unterminated the section is.
  auto readText = [](const char* section, char* field, dword size) {
    memset(field, 0, size);
    dword text = ELFGetSectionIndex(section);
    return text && ELFReadData(text, field, size - 1);
  };

  // The build stamp: "Mmm dd yyyy" directly followed by "hh:mm:ss".
  info->date = 0;
  char stamp[128];
  if (readText("._tap_etcinfo", stamp, sizeof stamp)) {
    // strtol, not atoi: glibc's headers make atoi a call of strtol, uClibc's a call of
    // its own, and the image calls the same functions under either library.
    char number[5];
    memcpy(number, stamp + 7, 4);
    number[4] = '\0';
    word year = static_cast<word>(strtol(number, nullptr, 10));
    memcpy(number, stamp + 4, 2);
    number[2] = '\0';
    byte day = static_cast<byte>(strtol(number, nullptr, 10));
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    byte month = 0;
    for (byte m = 0; m < 12 && !month; ++m)
      if (memcmp(stamp, months + 3 * m, 3) == 0) month = static_cast<byte>(m + 1);
    info->date = TAP_MakeMjd(year, month, day);
  }

  readText("._tap_program_name", info->programName, sizeof info->programName);
  readText("._tap_author_name", info->author, sizeof info->author);
  readText("._tap_description", info->description, sizeof info->description);
  readText("._tap_program_version", info->version, sizeof info->version);
  ELFCleanup();
  return true;
}
