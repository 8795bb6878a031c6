// The message box's body with titles of every length, and the box without its fonts.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "core/fmtstring.h"
#include "lib/font/font.h"
#include "lib/osd/messagebox.h"
#include "stand/osd.h"
#include "tests/support/fonts.h"
#include "tests/support/stand_test.h"

namespace {

constexpr dword BOX_W = 380, BODY_TOP = 34, BUTTON_Y = 120, FRAME = 2;
constexpr dword INNER_WIDTH = BOX_W - 2 * FRAME;
constexpr dword TITLE_COLOUR = 0xFFE89211, TEXT_COLOUR = 0xFFC0C0C0;
constexpr dword LABEL_COLOUR = 0xFFE6E6FA, SELECTED_LABEL_COLOUR = 0xFF282828;

// The screen as the last sync showed it, hashed (FNV-1a over the pixels).
uint64_t ScreenHash() {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (dword y = 0; y < stand::SCREEN_HEIGHT; ++y)
    for (dword x = 0; x < stand::SCREEN_WIDTH; ++x) {
      hash ^= stand::SyncedPixel(x, y);
      hash *= 0x100000001B3ull;
    }
  return hash;
}

// A title as the plug-in wraps it for the box.
std::string Wrapped(const std::string& title) {
  char wrapped[254];
  fmtstring(wrapped, sizeof wrapped, title.c_str(), 34, -1, " _-");
  return wrapped;
}

void ShowPrompt(const std::string& text) {
  OSDMenuMessageBoxInitialize("Playback stopped", text.c_str());
  OSDMenuMessageBoxButtonAdd("Delete");
  OSDMenuMessageBoxButtonAdd("Keep");
  OSDMenuMessageBoxButtonSelect(1);
  OSDMenuMessageBoxShow();
}

void FreeFonts() {
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    FMUC_FreeFontFile(slot.font);
}

class BoxBody : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    ASSERT_TRUE(InstallFonts());
  }
  void TearDown() override { FreeFonts(); }
};

// Titles that fitted the box before it learned to fit longer ones are drawn exactly as
// they were: the hashes come from the build before that change.
TEST_F(BoxBody, TitlesThatFitAreDrawnAsBefore) {
  struct Row {
    std::string text;
    uint64_t hash;
  } const rows[] = {
      {"Film", 0x7CA41B91953A6A0Cull},
      {"", 0xCDC6534C8608991Eull},
      {Wrapped("Film Night: The Long Road Home Extended Cut"), 0x5BF2093883B95DB7ull},
      {"Line one\nLine two\r\nLine four", 0xA8EF9A2801756082ull},  // an empty third line
      {"\xC7" "a\xF0r\xFD \xD6" "d\xFCl", 0xC0040C93AAEA6200ull},  // 8859-9
      {"Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e", 0x8EBA7C6DC77C3C58ull},
      {"\x01\xC1\xE2\xD5\xE0\xD0", 0xD64D4069BCEEBFE6ull},  // a selection of the Cyrillic table
      {std::string(34, 'a'), 0x41A30E21C64F7E56ull},
      {Wrapped("The_Big_Match_Highlights_of_the_Season_Final_Round"), 0xA31148C7CA35253Aull},
  };
  for (const Row& row : rows) {
    ShowPrompt(row.text);
    EXPECT_EQ(ScreenHash(), row.hash)
        << '"' << row.text << "\": 0x" << std::hex << std::uppercase << ScreenHash() << "ull";
    OSDMenuMessageBoxDestroy();
  }
}

}  // namespace
