// Plug-in images on arbitrary bytes: the identification sections are read out of
// the file, directly and through the plug-in table.
#include <string.h>

#include "fuzz/fuzz.h"
#include "lib/firmware/firmware.h"
#include "stand/stand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  stand::WriteFile("/ProgramFiles/Fuzz.tap",
                   std::string(reinterpret_cast<const char*>(data), size));

  TAPInfo info;
  memset(&info, 0x5A, sizeof info);
  const bool read = HDD_TAP_GetInfo("/ProgramFiles/Fuzz.tap", &info);
  fuzz::Check(fTAP == -1 && !ELFHeader && !SectionHeaders && !shstrtab,
              "the image reader closes the image and frees its buffers");
  fuzz::Check(fuzz::LiveBlocks() == 0, "reading an image keeps no memory");
  if (read) {
    fuzz::Check(strnlen(info.programName, sizeof info.programName) < sizeof info.programName &&
                    strnlen(info.author, sizeof info.author) < sizeof info.author &&
                    strnlen(info.description, sizeof info.description) < sizeof info.description &&
                    strnlen(info.version, sizeof info.version) < sizeof info.version,
                "every text of the info ends inside its field");
  }

  // The same image as another running plug-in.
  stand::SetSlotImage(1, "/ProgramFiles/Fuzz.tap");
  const dword id = HDD_TAP_GetIDByIndex(1);
  fuzz::Check(id == (read ? info.id : 0), "the table reads the id HDD_TAP_GetInfo reads");
  if (id) fuzz::Check(HDD_TAP_isRunning(id), "a plug-in found by its id is running");
  fuzz::Check(fTAP == -1 && fuzz::LiveBlocks() == 0, "the table lookup keeps nothing open");
  return 0;
}
