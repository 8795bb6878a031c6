// Puts the build's standard fonts (Calibri_*.ufnt) on the stand's disk, where the plug-in
// loads them from. Call after stand::Reset(), which empties the disk.
#ifndef SCRAPDECK_TESTS_SUPPORT_FONTS_H
#define SCRAPDECK_TESTS_SUPPORT_FONTS_H

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "stand/stand.h"

// The disk folder the toolkit reads fonts from ("/mnt/hd" + this).
inline const char kStandFontDir[] = "/ProgramFiles/Settings/Fonts";

// The seven standard fonts' file names.
inline std::vector<std::string> StandardFontNames() {
  return {"Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_14.ufnt", "Calibri_16.ufnt",
          "Calibri_18.ufnt", "Calibri_20.ufnt", "Calibri_20B.ufnt"};
}

// Copies the named fonts (all standard ones by default) from fontDir, the build's font
// folder unless told otherwise, into kStandFontDir. False when one cannot be read.
inline bool InstallFonts(const std::vector<std::string>& names = StandardFontNames(),
                         const std::string& fontDir = SCRAPDECK_DATA_DIR "/fonts") {
  for (const std::string& name : names) {
    std::ifstream in(std::filesystem::path(fontDir) / name, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    stand::WriteFile(std::string(kStandFontDir) + "/" + name, bytes.str());
  }
  return true;
}

#endif
