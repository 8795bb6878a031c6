// scrapdeck-pictures: writes one of the plug-in's pictures as a PNG, for the image packer.
//
//   scrapdeck-pictures <Name> <output.png>
//
// A new picture is one function in its own file (declared in Picture.h) and one row below.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/pictures/Picture.h"

namespace {

struct Entry {
  const char* name;
  pictures::Picture (*make)();
};

const Entry kPictures[] = {
    {"InfoBox", pictures::InfoBox},
    {"MessageBoxSelectedButtonBackground", pictures::MessageBoxSelectedButtonBackground},
    {"Cursor_Blue_Normal", pictures::Cursor_Blue_Normal},
    {"Cursor_Dark_Normal", pictures::Cursor_Dark_Normal},
    {"Cursor_Blue_Small", pictures::Cursor_Blue_Small},
    {"Cursor_Dark_Small", pictures::Cursor_Dark_Small},
    {"Cursor_Blue_Tiny", pictures::Cursor_Blue_Tiny},
    {"Cursor_Dark_Tiny", pictures::Cursor_Dark_Tiny},
    {"ScrollBarVisible", pictures::ScrollBarVisible},
    {"ScrollBarInvisible", pictures::ScrollBarInvisible},
    {"ScrollBarKnob", pictures::ScrollBarKnob},
    {"pfeil_l", pictures::pfeil_l},
    {"pfeil_l_bright", pictures::pfeil_l_bright},
    {"pfeil_r", pictures::pfeil_r},
    {"pfeil_r_bright", pictures::pfeil_r_bright},
    {"Button_exit", pictures::Button_exit},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: scrapdeck-pictures <Name> <output.png>\n");
    return 2;
  }
  for (const Entry& entry : kPictures) {
    if (std::strcmp(entry.name, argv[1]) != 0) continue;
    std::string error;
    if (!pictures::WritePng(entry.make(), argv[2], error)) {
      std::fprintf(stderr, "scrapdeck-pictures: %s: %s\n", argv[2], error.c_str());
      return 1;
    }
    return 0;
  }
  std::fprintf(stderr, "scrapdeck-pictures: no picture named %s; known:", argv[1]);
  for (const Entry& entry : kPictures)
    std::fprintf(stderr, " %s", entry.name);
  std::fprintf(stderr, "\n");
  return 2;
}
