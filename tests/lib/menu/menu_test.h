// Shared set-up of the menu tests: a stand with the standard fonts on its disk and a
// list level made of items described by one character each.
#ifndef SCRAPDECK_TESTS_LIB_MENU_MENU_TEST_H
#define SCRAPDECK_TESTS_LIB_MENU_MENU_TEST_H

#include <string>
#include <vector>

#include "lib/menu/menu.h"
#include "lib/osd/osd.h"
#include "tests/support/stand_test.h"

class MenuTest : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    // The fonts' records still name the files of the previous test's disk.
    for (FMUC_Font* font : Fonts())
      *font = FMUC_Font{};
    ASSERT_EQ(stand::InstallStandardFonts(), "");
  }
  void TearDown() override {
    for (FMUC_Font* font : Fonts())
      FMUC_FreeFontFile(font);
  }

  static std::vector<FMUC_Font*> Fonts() {
    std::vector<FMUC_Font*> fonts;
    for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
      fonts.push_back(slot.font);
    return fonts;
  }

  tMenu& Level() { return Menu[CurrentMenuLevel]; }

  // A list level with one item per character of `pattern`: 's' selectable, '-' a line the
  // cursor skips. Items are named "Item <index>" and carry their index as ID.
  void MakeList(const std::string& pattern, int visibleLines = 10, bool wrap = false) {
    OSDMenuInit(0, 0, 0, wrap, "Title", "Subtitle");
    for (size_t i = 0; i < pattern.size(); ++i) {
      std::string name = "Item " + std::to_string(i);
      ASSERT_EQ(
          OSDMenuItemAdd(name.c_str(), nullptr, nullptr, nullptr, pattern[i] == 's', 0, int(i)), 1);
    }
    Level().VisibleLines = visibleLines;
  }
};

#endif
