// The message box in the stand: where and how it is drawn, its life from initialisation
// to close, the shared fonts and saved background, and the toolkit's text output.
#include <stdint.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/fmtstring.h"
#include "lib/font/font.h"
#include "lib/osd/messagebox.h"
#include "stand/gd/DecodeCompressedGd.h"
#include "tests/support/stand_test.h"
#include "tests/support/trace.h"

namespace {

// Box geometry and the colours the box is made of.
constexpr dword BOX_X = 170, BOX_Y = 193, BOX_W = 380, BOX_H = 190;
constexpr dword FRAME = 0xFF464646, TITLE_BAND = 0xFF202020, BODY = 0xFF282828;
constexpr dword BACKDROP = 0xFF242424, TITLE_COLOUR = 0xFFE89211, TEXT_COLOUR = 0xFFC0C0C0;
constexpr dword LABEL_COLOUR = 0xFFE6E6FA, SELECTED_LABEL_COLOUR = 0xFF282828;

// The selected button's picture as the plug-in carries it, unpacked: 100 x 25 pixels.
const std::vector<uint32_t>& SelectedBar() {
  static const std::vector<uint32_t> pixels = [] {
    const TYPE_GrData& gd = _MessageBoxSelectedButtonBackground_Gd;
    std::vector<uint32_t> argb;
    std::string error;
    DecodeCompressedGd(gd.data, SIZE_MAX, gd.size, gd.width, gd.height, argb, error);
    return argb;
  }();
  return pixels;
}
dword BarPixel(dword x, dword y) {
  return SelectedBar().at(y * 100 + x);
}

struct Box {
  dword x, y, width, height;
  bool operator==(const Box& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

// The blocks saved from a region by its text output, in order.
std::vector<Box> SavedBoxes(word region) {
  std::vector<Box> boxes;
  for (const TraceEntry& e : Calls(Call::SaveBox, {region}))
    boxes.push_back(
        {dword(e.numbers[1]), dword(e.numbers[2]), dword(e.numbers[3]), dword(e.numbers[4])});
  return boxes;
}

bool HasPixel(word region, dword x0, dword y0, dword x1, dword y1, dword colour) {
  for (dword y = y0; y <= y1; ++y)
    for (dword x = x0; x <= x1; ++x)
      if (stand::RegionPixel(region, x, y) == colour) return true;
  return false;
}

// Horizontal centre of the pixels in the rows and columns given that are not `ground`;
// -1 when there are none.
double InkCentre(word region, dword x0, dword y0, dword x1, dword y1, dword ground) {
  int left = -1, right = -1;
  for (dword y = y0; y <= y1; ++y)
    for (dword x = x0; x <= x1; ++x)
      if (stand::RegionPixel(region, x, y) != ground) {
        if (left < 0 || int(x) < left) left = int(x);
        if (int(x) > right) right = int(x);
      }
  return left < 0 ? -1 : (left + right) / 2.0;
}

class MessageBoxTest : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    ASSERT_EQ(stand::InstallStandardFonts(), "");
  }
  void TearDown() override {
    // Close the fonts' files before the next test's reset forgets them.
    for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
      FMUC_FreeFontFile(slot.font);
  }

  // The plug-in's prompt: "Delete" and "Keep", one selected.
  void ShowPrompt(const char* title, const char* text, dword selected = 1) {
    OSDMenuMessageBoxInitialize(title, text);
    OSDMenuMessageBoxButtonAdd("Delete");
    OSDMenuMessageBoxButtonAdd("Keep");
    OSDMenuMessageBoxButtonSelect(selected);
    OSDMenuMessageBoxShow();
  }
};

TEST_F(MessageBoxTest, PanelSitsCentredInTheSchemeColours) {
  ShowPrompt("Playback stopped", "Film");
  ASSERT_TRUE(OSDMenuMessageBoxIsVisible());
  std::vector<stand::OsdRegion> regions = stand::Regions();
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].handle, MessageBoxOSDRgn);
  EXPECT_EQ(Box({regions[0].x, regions[0].y, regions[0].width, regions[0].height}),
            Box({BOX_X, BOX_Y, BOX_W, BOX_H}));
  EXPECT_TRUE(regions[0].shown);
  EXPECT_FALSE(stand::NormalMode());

  const word r = MessageBoxOSDRgn;
  struct {
    dword x, y, colour;
  } const pixels[] = {
      {0, 0, FRAME},       {1, 1, FRAME},       {379, 189, FRAME},    {378, 100, FRAME},
      {0, 100, FRAME},     {200, 188, FRAME},   {2, 2, TITLE_BAND},   {377, 33, TITLE_BAND},
      {3, 20, TITLE_BAND}, {200, 34, FRAME},    {2, 35, FRAME},       {377, 35, FRAME},
      {2, 36, BODY},       {377, 187, BODY},    {20, 100, BODY},      {75, 120, BODY},
      {176, 130, BODY},    {76, 119, BODY},     {76, 145, BODY},      {201, 120, BODY},
      {302, 144, BODY},    {76, 120, BACKDROP}, {175, 144, BACKDROP}, {80, 140, BACKDROP},
  };
  for (const auto& p : pixels)
    EXPECT_EQ(stand::RegionPixel(r, p.x, p.y), p.colour) << p.x << "," << p.y;

  // The bar is the picture, placed on the selected button: its rows clear of the label.
  for (dword y : {0u, 1u, 2u, 3u, 21u, 22u, 23u, 24u})
    for (dword x = 0; x < 100; ++x)
      ASSERT_EQ(stand::RegionPixel(r, 202 + x, 120 + y), BarPixel(x, y)) << x << "," << y;

  // Title, body line and the two labels in their colours, where they belong.
  EXPECT_TRUE(HasPixel(r, 2, 2, 377, 33, TITLE_COLOUR));
  EXPECT_TRUE(HasPixel(r, 2, 36, 377, 110, TEXT_COLOUR));
  EXPECT_TRUE(HasPixel(r, 76, 120, 175, 144, LABEL_COLOUR));
  EXPECT_TRUE(HasPixel(r, 203, 121, 300, 143, SELECTED_LABEL_COLOUR));
  EXPECT_FALSE(HasPixel(r, 203, 121, 300, 143, LABEL_COLOUR));
}

// The selected button's picture: a glossy green bar, opaque, one colour per row with a
// slightly darker last column (less green, no more red); the first column is a step darker in rows
// 2 to 7 and 24 only.
TEST(SelectedButtonPicture, GlossyGreenBarOneColourPerRow) {
  ASSERT_EQ(SelectedBar().size(), 2500u);
  auto channel = [](dword colour, int shift) { return int((colour >> shift) & 0xFF); };
  int topGreen = 255, middleGreen = 0;
  for (dword y = 0; y < 25; ++y) {
    const dword row = BarPixel(1, y);
    for (dword x = 0; x < 100; ++x)
      ASSERT_EQ(BarPixel(x, y) >> 24, 0xFFu) << x << "," << y;
    for (dword x = 2; x < 99; ++x)
      ASSERT_EQ(BarPixel(x, y), row) << x << "," << y;
    EXPECT_GT(channel(row, 8), channel(row, 16)) << "row " << y;
    EXPECT_GT(channel(row, 8), channel(row, 0)) << "row " << y;
    const bool steppedEdge = (y >= 2 && y <= 7) || y == 24;
    int darkerFirst = 0;
    for (int shift : {0, 8, 16}) {
      const int first = channel(BarPixel(0, y), shift);
      EXPECT_TRUE(first == channel(row, shift) || first == channel(row, shift) - 1) << "row " << y;
      darkerFirst += first != channel(row, shift);
    }
    EXPECT_LT(channel(BarPixel(99, y), 8), channel(row, 8)) << "row " << y;
    EXPECT_LE(channel(BarPixel(99, y), 16), channel(row, 16)) << "row " << y;
    if (steppedEdge)
      EXPECT_TRUE(darkerFirst == 1 || darkerFirst == 2) << "row " << y;
    else
      EXPECT_EQ(darkerFirst, 0) << "row " << y;
    if (y <= 10) topGreen = std::min(topGreen, channel(row, 8));
    if (y >= 12 && y <= 14) middleGreen = std::max(middleGreen, channel(row, 8));
  }
  EXPECT_GT(topGreen, middleGreen) << "the light at the top, the shade across the middle";
}

TEST_F(MessageBoxTest, ButtonsSpreadEvenly) {
  struct Row {
    dword buttons, selected;
    std::vector<dword> centres;
  } const rows[] = {
      {1, 0, {190}},
      {2, 0, {126, 252}},
      {3, 2, {95, 190, 285}},
      {5, 4, {63, 126, 189, 252, 315}},
  };
  for (const Row& row : rows) {
    OSDMenuMessageBoxInitialize("T", "");
    for (dword k = 0; k < row.buttons; ++k)
      OSDMenuMessageBoxButtonAdd("B");
    OSDMenuMessageBoxButtonSelect(row.selected);
    stand::ClearOsdTrace();
    OSDMenuMessageBoxShow();
    const word r = MessageBoxOSDRgn;
    for (dword k = 0; k < row.buttons; ++k) {
      const dword left = row.centres[k] - 50;
      const dword colour = k == row.selected ? BarPixel(1, 0) : BACKDROP;
      EXPECT_EQ(stand::RegionPixel(r, left, 120), colour) << row.buttons << " buttons, " << k;
      // With three buttons or more the backdrops overlap; the first one starts on the body.
      if (k == 0) {
        EXPECT_EQ(stand::RegionPixel(r, left - 1, 120), BODY) << row.buttons << " buttons";
      }
    }
    // The selected button is drawn last.
    const TraceEntry last{Call::PutGd, {r, row.centres[row.selected] - 50, 120, 100, 25, 0}};
    EXPECT_EQ(Count(last), 1u) << row.buttons << " buttons";
    OSDMenuMessageBoxDestroy();
  }
}

TEST_F(MessageBoxTest, TextLinesAreCentredOnTheBody) {
  // Rows the lines hang from: three above the rows the box names.
  struct Row {
    const char* text;
    std::vector<dword> rows;
  } const rows[] = {
      {"A", {64}},
      {"A\nB", {54, 74}},
      {"A\rB", {54, 74}},
      {"A\n", {64}},
      {"A\r\nB", {44, 84}},  // the empty middle line draws nothing
      {"", {}},
      {"\n", {}},
      {"1\n2\n3\n4", {34, 54, 74, 94}},
      // The body holds four lines between the title band and the buttons.
      {"1\n2\n3\n4\n5\n6\n7", {34, 54, 74, 94}},
      {"1\n2\n3\n4\n5\n6\n7\n8\n9", {34, 54, 74, 94}},
  };
  for (const Row& row : rows) {
    OSDMenuMessageBoxInitialize("Title", row.text);
    OSDMenuMessageBoxButtonAdd("OK");
    stand::ClearOsdTrace();
    OSDMenuMessageBoxShow();
    std::vector<dword> drawn;
    for (const Box& b : SavedBoxes(MessageBoxOSDRgn))
      drawn.push_back(b.y);
    // Title first, the single label last.
    ASSERT_GE(drawn.size(), 2u) << row.text;
    EXPECT_EQ(drawn.front(), 7u);
    EXPECT_EQ(drawn.back(), 121u);
    EXPECT_EQ(std::vector<dword>(drawn.begin() + 1, drawn.end() - 1), row.rows) << row.text;
    OSDMenuMessageBoxDestroy();
  }
}

TEST_F(MessageBoxTest, LongTextsAreCutToTheirFields) {
  const std::string longText(400, 'x');
  OSDMenuMessageBoxInitialize(longText.c_str(), longText.c_str());
  OSDMenuMessageBoxButtonAdd(longText.c_str());
  EXPECT_EQ(std::strlen(MessageBox.Title), 255u);
  EXPECT_EQ(std::strlen(MessageBox.Text), 255u);
  EXPECT_EQ(std::strlen(MessageBox.Button[0]), 255u);
  OSDMenuMessageBoxInitialize(nullptr, nullptr);
  EXPECT_STREQ(MessageBox.Title, "");
  EXPECT_STREQ(MessageBox.Text, "");
  OSDMenuMessageBoxDestroy();
}

TEST_F(MessageBoxTest, ButtonsBeyondFiveAndBadSelectionsAreIgnored) {
  OSDMenuMessageBoxInitialize("T", "x");
  OSDMenuMessageBoxShow();  // no buttons: nothing at all
  EXPECT_FALSE(OSDMenuMessageBoxIsVisible());
  EXPECT_TRUE(stand::Regions().empty());
  EXPECT_TRUE(stand::OsdTrace().empty());
  EXPECT_TRUE(stand::NormalMode());

  OSDMenuMessageBoxButtonAdd(nullptr);
  for (const char* label : {"1", "2", "3", "4", "5", "6"})
    OSDMenuMessageBoxButtonAdd(label);
  EXPECT_EQ(MessageBox.NrButtons, 5u);
  EXPECT_STREQ(MessageBox.Button[0], "1");
  EXPECT_STREQ(MessageBox.Button[4], "5");

  OSDMenuMessageBoxButtonSelect(3);
  OSDMenuMessageBoxShow();
  stand::ClearOsdTrace();
  for (dword bad : {5u, 6u, 0xFFFFFFFFu})
    OSDMenuMessageBoxButtonSelect(bad);
  EXPECT_EQ(OSDMenuMessageBoxLastButton(), 3u);
  EXPECT_TRUE(stand::OsdTrace().empty());

  // A good selection redraws at once: the bar moves to the first button.
  OSDMenuMessageBoxButtonSelect(0);
  EXPECT_EQ(stand::RegionPixel(MessageBoxOSDRgn, 13, 120), BarPixel(1, 0));
  EXPECT_EQ(stand::RegionPixel(MessageBoxOSDRgn, 202, 120), BACKDROP);
  EXPECT_EQ(Calls(Call::Create).size(), 0u);  // in place
  EXPECT_EQ(Calls(Call::Sync).size(), 1u);
  OSDMenuMessageBoxDestroy();
}

TEST_F(MessageBoxTest, ClosingKeepsTheAnswerAndGivesBackTheScreen) {
  ShowPrompt("Playback stopped", "Film");
  const word r = MessageBoxOSDRgn;
  stand::ClearOsdTrace();
  const stand::MemoryStats during = stand::Memory();
  OSDMenuMessageBoxDestroy();
  EXPECT_FALSE(OSDMenuMessageBoxIsVisible());
  EXPECT_FALSE(stand::RegionExists(r));
  EXPECT_EQ(stand::OsdTrace(), (Trace{{Call::Delete, {r}}, {Call::Sync}, {Call::EnterNormal}}));
  EXPECT_TRUE(stand::NormalMode());
  EXPECT_EQ(OSDMenuMessageBoxLastButton(), 1u);
  EXPECT_STREQ(MessageBox.Button[1], "Keep");
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    EXPECT_EQ(slot.font->FileHandle, 0) << slot.fileName;
  EXPECT_LT(stand::Memory().liveBlocks, during.liveBlocks);

  // Closing a box that was prepared but never shown still hands the firmware its normal
  // mode back and frees the fonts.
  OSDMenuMessageBoxInitialize("T", "x");
  stand::ClearOsdTrace();
  TAP_ExitNormal();
  OSDMenuMessageBoxDestroy();
  EXPECT_TRUE(stand::NormalMode());
  EXPECT_EQ(Calls(Call::Sync).size(), 0u);
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    EXPECT_EQ(slot.font->FileHandle, 0) << slot.fileName;
}

TEST_F(MessageBoxTest, InitialisingClosesAnOpenInfoBox) {
  InfoBoxOSDRgn = TAP_Osd_Create(170, 193, 380, 190, 0, 0);
  WaitSpinnerRgn = TAP_Osd_Create(340, 300, 40, 40, 0, 0);
  const word infoBox = InfoBoxOSDRgn, spinner = WaitSpinnerRgn;
  InfoBoxExitButton = 1;
  TAP_ExitNormal();
  OSDMenuMessageBoxInitialize("T", "x");
  EXPECT_FALSE(stand::RegionExists(infoBox));
  EXPECT_FALSE(stand::RegionExists(spinner));
  EXPECT_EQ(InfoBoxOSDRgn, 0);
  EXPECT_EQ(WaitSpinnerRgn, 0);
  EXPECT_EQ(InfoBoxExitButton, 0u);
  EXPECT_EQ(Calls(Call::Sync).size(), 1u);
  EXPECT_TRUE(stand::NormalMode());
  EXPECT_GT(OSDMenuFont_14.FileHandle, 0);
  OSDMenuMessageBoxDestroy();

  // Closing no info box leaves the background an open message box saved alone.
  OSDRgn = TAP_Osd_Create(0, 0, 720, 576, 0, 0);
  ShowPrompt("T", "x");
  const byte* saved = InfoBoxSaveArea;
  ASSERT_NE(saved, nullptr);
  OSDMenuInfoBoxDestroyNoOSDUpdate();
  OSDMenuInfoBoxDestroy();
  EXPECT_EQ(InfoBoxSaveArea, saved);
  EXPECT_TRUE(OSDMenuMessageBoxIsVisible());
  OSDMenuMessageBoxDestroy();
  EXPECT_EQ(InfoBoxSaveArea, nullptr);
  OSDRgn = 0;
  OSDMenuFreeStdFonts();
}

TEST_F(MessageBoxTest, ClosingWithoutUpdateLeavesSyncAndModeAlone) {
  ShowPrompt("Recording stopped", "Film");
  stand::ClearOsdTrace();
  OSDMenuMessageBoxDestroyNoOSDUpdate();
  EXPECT_FALSE(OSDMenuMessageBoxIsVisible());
  EXPECT_EQ(Calls(Call::Sync).size(), 0u);
  EXPECT_EQ(Calls(Call::EnterNormal).size(), 0u);
  EXPECT_FALSE(stand::NormalMode());
  EXPECT_EQ(OSDMenuFont_14.FileHandle, 0);
}

TEST_F(MessageBoxTest, OtherOpenElementsKeepModeAndFonts) {
  ShowPrompt("Playback stopped", "Film");
  OSDRgn = TAP_Osd_Create(0, 0, 720, 576, 0, 0);  // a menu opened under the box
  OSDMenuMessageBoxDestroy();
  EXPECT_FALSE(OSDMenuMessageBoxIsVisible());
  EXPECT_FALSE(stand::NormalMode());
  EXPECT_GT(OSDMenuFont_14.FileHandle, 0);
  OSDRgn = 0;
  OSDMenuFreeStdFonts();
  EXPECT_EQ(OSDMenuFont_14.FileHandle, 0);
}

TEST_F(MessageBoxTest, InitialisingWhileOpenClosesTheOldBoxFirst) {
  ShowPrompt("Playback stopped", "Film");
  const word old = MessageBoxOSDRgn;
  MessageBoxAllowScrollOver = MessageBoxNoNormalMode = 1;
  stand::ClearOsdTrace();
  OSDMenuMessageBoxInitialize("Recording stopped", "Other");
  EXPECT_FALSE(stand::RegionExists(old));
  EXPECT_EQ(stand::OsdTrace(), (Trace{{Call::Delete, {old}}, {Call::Sync}, {Call::EnterNormal}}));
  EXPECT_TRUE(stand::NormalMode());
  for (const tOSDMenuStdFont& slot : OSDMenuStdFonts)
    EXPECT_GT(slot.font->FileHandle, 0) << slot.fileName;  // loaded again
  EXPECT_EQ(MessageBox.NrButtons, 0u);
  EXPECT_EQ(MessageBox.CurrentButton, 0u);
  EXPECT_EQ(MessageBoxAllowScrollOver, 0u);
  EXPECT_EQ(MessageBoxNoNormalMode, 0u);
  EXPECT_STREQ(MessageBox.Title, "Recording stopped");
  OSDMenuMessageBoxDestroy();
}

TEST_F(MessageBoxTest, FontsAreLoadedOncePerBox) {
  OSDMenuMessageBoxInitialize("T", "x");
  int handles[OSDMENU_STD_FONTS];
  for (dword i = 0; i < OSDMENU_STD_FONTS; ++i) {
    handles[i] = OSDMenuStdFonts[i].font->FileHandle;
    EXPECT_GT(handles[i], 0) << OSDMenuStdFonts[i].fileName;
  }
  const size_t allocations = stand::Memory().allocations;
  OSDMenuLoadStdFonts();
  OSDMenuMessageBoxInitialize("T", "y");  // nothing open: nothing closed, nothing reloaded
  EXPECT_EQ(stand::Memory().allocations, allocations);
  for (dword i = 0; i < OSDMENU_STD_FONTS; ++i)
    EXPECT_EQ(OSDMenuStdFonts[i].font->FileHandle, handles[i]) << OSDMenuStdFonts[i].fileName;
  OSDMenuMessageBoxDestroy();
}

TEST_F(MessageBoxTest, AMissingFontIsReportedOnceARun) {
  stand::Reset();
  ASSERT_EQ(stand::InstallStandardFonts("Calibri_12.ufnt"), "");
  auto notices = [] {
    const std::vector<std::string> texts = Texts();
    return std::count(texts.begin(), texts.end(), "failed to load Calibri_12.ufnt");
  };
  OSDMenuMessageBoxInitialize("T", "x");
  EXPECT_LT(OSDMenuFont_12.FileHandle, 0);
  EXPECT_GT(OSDMenuFont_14.FileHandle, 0);
  EXPECT_EQ(notices(), 1);
  OSDMenuLoadStdFonts();
  OSDMenuMessageBoxButtonAdd("OK");
  OSDMenuMessageBoxShow();  // the box comes up all the same
  EXPECT_TRUE(OSDMenuMessageBoxIsVisible());
  EXPECT_EQ(notices(), 1);
  OSDMenuMessageBoxDestroy();
  EXPECT_EQ(OSDMenuFont_12.FileHandle, 0);
  // The next box tries the font again, silently: one notice a run.
  OSDMenuMessageBoxInitialize("T", "x");
  EXPECT_LT(OSDMenuFont_12.FileHandle, 0);
  EXPECT_EQ(notices(), 1);
  OSDMenuMessageBoxDestroy();
}

TEST_F(MessageBoxTest, BackgroundUnderTheBoxIsPutBackOnClose) {
  constexpr dword MENU_COLOUR = 0xFF103050, SCRIBBLE = 0xFFFF00FF;
  struct Row {
    const char* name;
    dword regionX, regionY;  // of the region the box is drawn over
    bool mine;               // MyOSDRgn rather than the menu's region
  } const rows[] = {
      {"menu", 0, 0, false},
      {"caller's region", 100, 50, true},
  };
  for (const Row& row : rows) {
    const word under = TAP_Osd_Create(row.regionX, row.regionY, 620, 526, 0, 0);
    TAP_Osd_FillBox(under, 0, 0, 620, 526, MENU_COLOUR);
    (row.mine ? MyOSDRgn : OSDRgn) = under;
    const size_t blocksBefore = stand::Memory().liveBlocks;
    ShowPrompt("Playback stopped", "Film");
    ASSERT_NE(InfoBoxSaveArea, nullptr) << row.name;
    EXPECT_EQ(InfoBoxSaveAreaX, 170) << row.name;
    EXPECT_EQ(InfoBoxSaveAreaY, 193) << row.name;
    const dword localX = BOX_X - row.regionX, localY = BOX_Y - row.regionY;
    EXPECT_EQ(Count({Call::SaveBox, {under, localX, localY, 380, 190}}), 1u) << row.name;
    // What the caller draws under the open box is undone by the close.
    TAP_Osd_FillBox(under, localX, localY, BOX_W, BOX_H, SCRIBBLE);
    OSDMenuMessageBoxDestroy();
    EXPECT_EQ(InfoBoxSaveArea, nullptr) << row.name;
    EXPECT_EQ(MyOSDRgn, 0) << row.name;
    EXPECT_EQ(stand::RegionPixel(under, localX, localY), MENU_COLOUR) << row.name;
    EXPECT_EQ(stand::RegionPixel(under, localX + BOX_W - 1, localY + BOX_H - 1), MENU_COLOUR)
        << row.name;
    EXPECT_EQ(stand::RegionPixel(under, localX + BOX_W, localY), MENU_COLOUR) << row.name;
    OSDRgn = 0;
    OSDMenuFreeStdFonts();
    TAP_Osd_Delete(under);
    EXPECT_LE(stand::Memory().liveBlocks, blocksBefore) << row.name;
  }
}

TEST_F(MessageBoxTest, NoRegionMeansNoBox) {
  ShowPrompt("T", "x");
  OSDMenuMessageBoxDestroy();
  // The firmware may run out of regions: the box then stays closed and the firmware in
  // its normal mode.
  auto* const create = TAP_Osd_Create;
  TAP_Osd_Create = [](dword, dword, dword, dword, byte, dword) -> word { return 0; };
  OSDRgn = create(0, 0, 720, 576, 0, 0);
  stand::ClearOsdTrace();
  ShowPrompt("T", "x");
  TAP_Osd_Create = create;
  EXPECT_FALSE(OSDMenuMessageBoxIsVisible());
  EXPECT_TRUE(stand::NormalMode());
  EXPECT_EQ(InfoBoxSaveArea, nullptr);
  EXPECT_EQ(Calls(Call::PutGd).size(), 0u);
  OSDRgn = 0;
  OSDMenuFreeStdFonts();
}

TEST_F(MessageBoxTest, ShowAfterExitLeavesNoButtonSelected) {
  ShowPrompt("T", "x");
  OSDMenuMessageBoxDestroy();
  MessageBox.CurrentButton = MESSAGEBOX_NO_BUTTON;  // as KEY_EXIT leaves it
  OSDMenuLoadStdFonts();
  OSDMenuMessageBoxShow();
  ASSERT_TRUE(OSDMenuMessageBoxIsVisible());
  EXPECT_EQ(stand::RegionPixel(MessageBoxOSDRgn, 76, 120), BACKDROP);
  EXPECT_EQ(stand::RegionPixel(MessageBoxOSDRgn, 202, 120), BACKDROP);
  EXPECT_FALSE(HasPixel(MessageBoxOSDRgn, 0, 110, 379, 150, BarPixel(1, 0)));
  OSDMenuMessageBoxDestroy();
}

TEST_F(MessageBoxTest, PutSPicksTheFontBySizeAndLiftsTheText) {
  OSDMenuLoadStdFonts();
  const word r = TAP_Osd_Create(0, 0, 720, 100, 0, 0);
  struct Row {
    dword size, y;
    FMUC_Font* font;  // null: nothing drawn
    dword drawnY;
  } const rows[] = {
      {10, 50, &OSDMenuFont_10, 47},
      {12, 50, &OSDMenuFont_12, 47},
      {14, 50, &OSDMenuFont_14, 47},
      {16, 50, &OSDMenuFont_16, 47},
      {18, 50, &OSDMenuFont_18, 47},
      {20, 50, &OSDMenuFont_20, 47},
      {31, 50, &OSDMenuFont_20B, 47},
      {270, 50, &OSDMenuFont_14, 47},
      {13, 50, nullptr, 0},
      {0, 50, nullptr, 0},
      {20 + 0x300, 3, &OSDMenuFont_20, 0},
      {14, 1, &OSDMenuFont_14, 0},
  };
  const char* text = "Hello Wg";
  for (const Row& row : rows) {
    stand::ClearOsdTrace();
    OSDMenuPutS(r, 10, row.y, 700, text, 0xFFFFFFFF, 0, row.size, 0x100, 0x200);  // left, cut
    const std::vector<Box> boxes = SavedBoxes(r);
    if (!row.font) {
      EXPECT_TRUE(stand::OsdTrace().empty()) << "size " << row.size;
      continue;
    }
    ASSERT_EQ(boxes.size(), 1u) << "size " << row.size;
    EXPECT_EQ(boxes[0], Box({10, row.drawnY, dword(FMUC_GetStringWidth(text, row.font)),
                             FMUC_GetStringHeight(text, row.font)}))
        << "size " << row.size;
  }
  // The bold font is the widest of the 20s.
  EXPECT_GT(FMUC_GetStringWidth(text, &OSDMenuFont_20B),
            FMUC_GetStringWidth(text, &OSDMenuFont_20));
  TAP_Osd_Delete(r);
  OSDMenuFreeStdFonts();
}

TEST_F(MessageBoxTest, HundredPromptsLeaveNothingBehind) {
  const stand::MemoryStats start = stand::Memory();
  for (int i = 0; i < 100; ++i) {
    ShowPrompt("Playback stopped", "A recording\nwith two lines", dword(i % 2));
    ASSERT_TRUE(OSDMenuMessageBoxIsVisible());
    OSDMenuMessageBoxDestroy();
  }
  EXPECT_EQ(stand::Memory().liveBlocks, start.liveBlocks);
  EXPECT_EQ(stand::Memory().liveBytes, start.liveBytes);
  EXPECT_TRUE(stand::Regions().empty());
  EXPECT_TRUE(stand::NormalMode());
}

TEST_F(MessageBoxTest, ScreenshotOfThePrompt) {
  char wrapped[254];
  fmtstring(wrapped, sizeof wrapped,
            "Die grosse Dokumentation ueber die Berge der Alpen im Winter_2026-12-08", 34, -1,
            default_separator_list);
  ShowPrompt("Playback stopped", wrapped);
  ASSERT_NE(std::strchr(MessageBox.Text, '\n'), nullptr);
  const word r = MessageBoxOSDRgn;
  // Title, text block and labels centred on their columns (within a pixel or two).
  EXPECT_NEAR(InkCentre(r, 2, 2, 377, 33, TITLE_BAND), 190, 2);
  EXPECT_NEAR(InkCentre(r, 2, 36, 377, 110, BODY), 190, 2);
  EXPECT_NEAR(InkCentre(r, 76, 121, 175, 143, BACKDROP), 126, 2);
  const std::string png = SCRAPDECK_BINARY_DIR "/screenshots/messagebox.png";
  if (!stand::WritePng(png)) GTEST_SKIP() << "this stand writes no PNG";
  OSDMenuMessageBoxDestroy();
}

}  // namespace
