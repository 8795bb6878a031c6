// The message box's body with titles of every length, and the box without its fonts.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
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
#include "tests/support/stand_test.h"
#include "tests/support/trace.h"

namespace {

constexpr dword BOX_W = 380, BODY_TOP = 34, BUTTON_Y = 120, FRAME = 2;
constexpr dword INNER_WIDTH = BOX_W - 2 * FRAME;
constexpr dword TITLE_COLOUR = 0xFFE89211;
constexpr dword LABEL_COLOUR = 0xFFE6E6FA, SELECTED_LABEL_COLOUR = 0xFF282828;

// A pixel within a few steps of a colour in every channel: the firmware's text, blended.
bool Near(dword pixel, dword colour) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((pixel >> shift) & 0xFF) - int((colour >> shift) & 0xFF)) > 4) return false;
  return true;
}

// The screen as the last sync showed it, hashed (FNV-1a over the pixels).
uint64_t ScreenHash() {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (dword y = 0; y < SCREEN_HEIGHT; ++y)
    for (dword x = 0; x < SCREEN_WIDTH; ++x) {
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
    ASSERT_EQ(stand::InstallStandardFonts(), "");
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
      {"\xC7"
       "a\xF0r\xFD \xD6"
       "d\xFCl",
       0xC0040C93AAEA6200ull},  // 8859-9
      {"Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
       "e",
       0x8EBA7C6DC77C3C58ull},
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

namespace {

// The rows and columns of the box region where `now` differs from `before`.
struct Changed {
  dword top = ~0u, bottom = 0, left = ~0u, right = 0;
  bool any() const { return top != ~0u; }
};
Changed ChangedPixels(const std::vector<dword>& before, word region) {
  Changed c;
  for (dword y = 0; y < 190; ++y)
    for (dword x = 0; x < BOX_W; ++x)
      if (stand::RegionPixel(region, x, y) != before[y * BOX_W + x]) {
        c.top = std::min(c.top, y);
        c.bottom = std::max(c.bottom, y);
        c.left = std::min(c.left, x);
        c.right = std::max(c.right, x);
      }
  return c;
}

std::vector<dword> RegionPixels(word region) {
  std::vector<dword> pixels;
  for (dword y = 0; y < 190; ++y)
    for (dword x = 0; x < BOX_W; ++x)
      pixels.push_back(stand::RegionPixel(region, x, y));
  return pixels;
}

// The body's lines as the box would show them.
std::vector<std::string> FittedLines(const std::string& text, dword maxLines = 4) {
  char buffer[MESSAGEBOX_TEXT_SIZE] = {};
  std::strncpy(buffer, text.c_str(), sizeof buffer - 1);
  const char* lines[MESSAGEBOX_MAX_LINES];
  char work[MESSAGEBOX_MAX_LINES][MESSAGEBOX_LINE_SIZE];
  const dword n = OSDMenuMessageBoxFitText(buffer, maxLines, INNER_WIDTH, 14, lines, work);
  return std::vector<std::string>(lines, lines + n);
}

std::string Words(size_t length) {
  static const char* const words[] = {"The", "Long", "Road",     "Home", "Extended",
                                      "Cut", "of",   "Midnight", "Film", "Festival"};
  std::string text;
  for (size_t i = 0; text.size() < length; ++i)
    text += std::string(text.empty() ? "" : " ") + words[i % 10];
  return text.substr(0, length);
}

}  // namespace

// Long titles are wrapped to the box's inner width, at spaces where there are any, and
// cut to the lines that fit the body, the last one ending in an ellipsis.
TEST_F(BoxBody, LongTitlesAreFittedToTheBody) {
  OSDMenuMessageBoxInitialize("T", "");
  const std::string ellipsis = "\xE2\x80\xA6";
  struct Row {
    std::string title;
    size_t lines;
    bool cut;  // ends in an ellipsis
    dword maxLines = 4;
  } const rows[] = {
      {Wrapped(Words(200)), 4, true},
      {Wrapped(std::string(60, 'W')), 3, false},
      {std::string(60, 'W'), 2, false},  // one line without a space
      {Words(120), 2, false},            // one line with spaces, wrapped by width only
      {Words(300), 4, true},
      {"1\n2\n3\n4\n5", 4, true},
      {"1\n2\n3\n4", 4, false},
      // More lines than the text is ever cut into: the last one kept says so.
      {"1\n2\n3\n4\n5\n6\n7\n8\n9", 7, true, 7},
      {"1\n2\n3\n4\n5\n6\n7\n\n", 7, true, 7},
      {"1\n2\n3\n4\n5\n6\n7\n", 7, false, 7},
      {"1\n2\n3\n4\n5\n6\n7\n8", 7, true, 9},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = FittedLines(row.title, row.maxLines);
    EXPECT_EQ(lines.size(), row.lines) << row.title;
    std::string joined;
    for (const std::string& line : lines) {
      EXPECT_LE(OSDMenuGetW(line.c_str(), 14), INNER_WIDTH) << line;
      joined += line;
    }
    ASSERT_FALSE(lines.empty());
    const std::string& last = lines.back();
    EXPECT_EQ(last.size() >= 3 && last.compare(last.size() - 3, 3, ellipsis) == 0, row.cut) << last;
    // Nothing is lost but what the ellipsis stands for: the lines are the title's
    // characters in order, spaces at the breaks aside.
    std::string expected, got;
    for (char c : row.title)
      if (c != ' ' && c != '\n') expected += c;
    for (char c : row.cut ? joined.substr(0, joined.size() - 3) : joined)
      if (c != ' ') got += c;
    EXPECT_EQ(expected.compare(0, got.size(), got), 0) << row.title;
    if (!row.cut) {
      EXPECT_EQ(got, expected);
    }
  }
  // A line of words breaks between words only.
  const std::string words = Words(120);
  size_t from = 0;
  for (const std::string& line : FittedLines(words)) {
    const size_t at = words.find(line, from), end = at + line.size();
    from = end;
    ASSERT_NE(at, std::string::npos) << line;
    EXPECT_TRUE((at == 0 || words[at - 1] == ' ') && (end == words.size() || words[end] == ' '))
        << line;
  }
  OSDMenuMessageBoxDestroy();
}

// On the screen, no pixel of a long title lies outside the body: above the first line's
// row, below the last line's, on the frame or under the buttons.
TEST_F(BoxBody, LongTitlesStayInsideTheBody) {
  ShowPrompt("");
  const std::vector<dword> empty = RegionPixels(MessageBoxOSDRgn);
  OSDMenuMessageBoxDestroy();
  struct Row {
    const char* name;
    std::string title;
  } const rows[] = {
      {"long_title", Wrapped(Words(200))},
      {"wide_title", Wrapped(std::string(60, 'W'))},
  };
  for (const Row& row : rows) {
    ShowPrompt(row.title);
    const Changed c = ChangedPixels(empty, MessageBoxOSDRgn);
    ASSERT_TRUE(c.any()) << row.name;
    EXPECT_GE(c.top, BODY_TOP) << row.name;
    EXPECT_LT(c.bottom, BUTTON_Y) << row.name;
    EXPECT_GE(c.left, FRAME) << row.name;
    EXPECT_LT(c.right, BOX_W - FRAME) << row.name;
#ifdef SCRAPDECK_STAND_PNG
    EXPECT_TRUE(stand::WritePng((std::filesystem::path(SCRAPDECK_BINARY_DIR) / "screenshots" /
                                 (std::string(row.name) + ".png"))
                                    .string()));
#endif
    OSDMenuMessageBoxDestroy();
  }
}

// Without any font the box still shows every text, drawn by the firmware in the box's
// colours where the fonts would have put it, and one notice is all the run shows.
TEST(BoxWithoutFonts, ShowsEveryTextWithTheFirmwaresOwn) {
  stand::Reset();
  ResetToolkitState();
  for (int box = 0; box < 2; ++box) {
    const dword start = stand::Now();
    stand::ClearOsdTrace();
    ShowPrompt(box == 0 ? "Film" : Wrapped(Words(200)));
    // The first box waits out one notice; the second none.
    EXPECT_EQ(stand::Now() - start, box == 0 ? 300u : 0u);
    // The box's texts: those after its region was made (the notice's come before).
    const Trace& trace = stand::OsdTrace();
    const Trace made = Calls(Call::Create, {MessageBoxOSDRgn, 170, 193});
    ASSERT_FALSE(made.empty());
    const Trace texts =
        Calls(Call::PutS, {}, Trace(std::find(trace.begin(), trace.end(), made[0]), trace.end()));
    ASSERT_GE(texts.size(), 4u);
    auto put = [](int x, int y, int maxX, dword fore, const char* text) {
      return TraceEntry{Call::PutS, {1, x, y, maxX, fore, 0, 0, 0, 0, 1}, text};
    };
    EXPECT_EQ(texts.front(), put(0, 7, 380, 0xFFE89211, "Playback stopped"));
    EXPECT_EQ(texts[texts.size() - 2], put(76, 121, 176, 0xFFE6E6FA, "Delete"));
    EXPECT_EQ(texts.back(), put(202, 121, 302, 0xFF282828, "Keep"));
    if (box == 0) {
      EXPECT_EQ(texts[1], put(0, 64, 380, 0xFFC0C0C0, "Film"));
    }
    if (box == 1) {
      EXPECT_EQ(texts.size(), 1u + 4u + 2u);  // four body lines, the last one cut with dots
      EXPECT_EQ(texts[4].text.substr(texts[4].text.size() - 3), "...");
    }
    // The labels show on their buttons, in their colours.
    const word r = MessageBoxOSDRgn;
    bool label = false, selected = false, title = false;
    for (dword y = 120; y < 145; ++y)
      for (dword x = 0; x < BOX_W; ++x) {
        label |= x >= 76 && x <= 175 && Near(stand::RegionPixel(r, x, y), LABEL_COLOUR);
        selected |=
            x >= 202 && x <= 301 && Near(stand::RegionPixel(r, x, y), SELECTED_LABEL_COLOUR);
      }
    for (dword y = 2; y < 34; ++y)
      for (dword x = 2; x < BOX_W - 2; ++x)
        title |= Near(stand::RegionPixel(r, x, y), TITLE_COLOUR);
    EXPECT_TRUE(label);
    EXPECT_TRUE(selected);
    EXPECT_TRUE(title);
#ifdef SCRAPDECK_STAND_PNG
    if (box == 1) {
      EXPECT_TRUE(stand::WritePng(
          (std::filesystem::path(SCRAPDECK_BINARY_DIR) / "screenshots" / "no_fonts.png").string()));
    }
#endif
    OSDMenuMessageBoxDestroy();
  }
  FreeFonts();
}
