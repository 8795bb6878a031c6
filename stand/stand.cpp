#include "stand/stand.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "lib/font/font.h"
#include "lib/osd/osd.h"

namespace stand {

void Reset() {
  ResetMemory();
  ResetClock();
  ResetDisk();
  ResetFirmware();
  ResetRecorder();
  ResetOsd();
}

std::string InstallStandardFonts(const std::string& leaveOut) {
  // Read once per process: sweeps run a scenario thousands of times.
  static std::map<std::string, std::string> cache;
  const char* env = std::getenv("SCRAPDECK_STAND_FONT_DIR");
  const std::string dir = env ? env : SCRAPDECK_STAND_FONT_DIR;
  for (const char* font : OSDMENU_STD_FONT_FILES) {
    if (font == leaveOut) continue;
    const std::string file = dir + "/" + font;
    auto it = cache.find(file);
    if (it == cache.end()) {
      std::ifstream in(file, std::ios::binary);
      if (!in) return file;
      it = cache.emplace(file, std::string(std::istreambuf_iterator<char>(in), {})).first;
    }
    WriteFile(std::string(FMUC_FONT_FOLDER) + font, it->second);
  }
  return "";
}

}  // namespace stand
