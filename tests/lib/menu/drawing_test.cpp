// The menu drawn in the stand: line geometry, scroll bar, value arrows, numbers, the
// cursor looks and its cached tile, and redrawing only what changed.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "lib/osd/osd.h"
#include "tests/lib/menu/menu_test.h"
#include "tests/support/trace.h"

namespace {

// The text the font engine drew at (x, y): the width of its box, -1 when none was drawn.
int TextWidthAt(int x, int y) {
  Trace boxes = Calls(Call::SaveBox, {OSDRgn, x, y});
  return boxes.empty() ? -1 : int(boxes.front().numbers[3]);
}

// How many pictures of w x h were put.
size_t Pictures(int w, int h) {
  return Calls(Call::PutGd, {kAny, kAny, kAny, w, h}).size();
}

// The handle of the last memory-only region created w x h.
word MemoryRegion(int w, int h) {
  word handle = 0;
  for (const stand::OsdRegion& r : stand::Regions())
    if (r.width == dword(w) && r.height == dword(h) && r.flags == 0x8000) handle = r.handle;
  return handle;
}

class MenuDrawTest : public MenuTest {
 protected:
  // A list of `count` selectable items at line-height preset `preset`.
  void Show(int count, int preset = 0, int showValues = 0, int showNumbers = 0) {
    OSDMenuInit(0, showValues, showNumbers, 0, "Title", "Subtitle");
    for (int i = 0; i < count; ++i) {
      std::string name = "Item " + std::to_string(i);
      ASSERT_EQ(OSDMenuItemAdd(name.c_str(), showValues ? "Value" : nullptr, nullptr, nullptr, 1,
                               showValues, i),
                1);
    }
    OSDMenuSetLineHeight(preset);
    stand::ClearOsdTrace();
    OSDMenuUpdate(0);
  }
};

struct Geometry {
  int preset, lines, height, textOffset, areaHeight;
};

class MenuGeometryTest : public MenuDrawTest, public ::testing::WithParamInterface<Geometry> {};

TEST_P(MenuGeometryTest, LinesFollowEachOther) {
  const Geometry& g = GetParam();
  Show(20, g.preset);
  ASSERT_EQ(Level().VisibleLines, g.lines);
  EXPECT_TRUE(Traced({Call::Draw3dBoxFill,
                      {OSDRgn, 60, 96, 600, g.areaHeight, 0xFF1E1E1E, 0xFF1E1E1E, 0xFF1E1E1E}}));
  for (int i = 0; i < g.lines; ++i) {
    int m = 96 + i * (g.height + 2);
    EXPECT_TRUE(Traced({Call::DrawRectangle, {OSDRgn, 60, m + g.height, 600, 2, 1, 0xFF101010}}))
        << "line " << i;
    EXPECT_EQ(stand::RegionPixel(OSDRgn, 300, m + g.height), dword(MENU_BACKGROUND_COLOUR))
        << "line " << i;
    // The names hang from the line's text top, 16 pixels into the area.
    EXPECT_GT(TextWidthAt(76, m + g.textOffset), 0) << "line " << i;
  }
  // The line after the last visible one is not drawn.
  EXPECT_EQ(TextWidthAt(76, 96 + g.lines * (g.height + 2) + g.textOffset), -1);
}

INSTANTIATE_TEST_SUITE_P(Presets, MenuGeometryTest,
                         ::testing::Values(Geometry{0, 10, 35, 5, 368}, Geometry{1, 15, 23, 0, 373},
                                           Geometry{2, 18, 19, 0, 376}));

struct ScrollBarCase {
  int items, preset, selection;
  int knobY;  // -1: no knob
  int extra;
};

class MenuScrollBarTest : public MenuDrawTest,
                          public ::testing::WithParamInterface<ScrollBarCase> {};

TEST_P(MenuScrollBarTest, TrackAndKnob) {
  const ScrollBarCase& c = GetParam();
  OSDMenuInit(0, 0, 0, 0, "T", "S");
  for (int i = 0; i < c.items; ++i)
    OSDMenuItemAdd("item", nullptr, nullptr, nullptr, 1, 0, 0);
  OSDMenuSetLineHeight(c.preset);
  Level().Selection = c.selection;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);

  EXPECT_TRUE(Traced({Call::PutGd, {OSDRgn, 661, 96, 16, 368, 0}}));
  // The visible track has its end arrows; the other is a plain rail.
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 668, 99), c.knobY < 0 ? 0xFF141414u : 0xFF808080u);
  if (c.knobY < 0) {
    EXPECT_EQ(Pictures(14, 20), 0u);
  } else {
    EXPECT_TRUE(Traced({Call::PutGd, {OSDRgn, 662, c.knobY, 14, 20, 0}}));
  }
  if (c.extra) {
    EXPECT_TRUE(Traced({Call::Copy, {OSDRgn, OSDRgn, 661, 448, 16, 16, 661, 448 + c.extra, 0}}));
    // The track now ends with the list area: its bottom frame row, then the list's ground.
    EXPECT_EQ(stand::RegionPixel(OSDRgn, 668, 463 + c.extra), 0xFF3A3A3Au);
    EXPECT_EQ(stand::RegionPixel(OSDRgn, 668, 460 + c.extra), 0xFF808080u);
  } else {
    EXPECT_TRUE(Calls(Call::Copy, {OSDRgn, OSDRgn}).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Bars, MenuScrollBarTest,
                         ::testing::Values(ScrollBarCase{10, 0, 0, -1, 0},
                                           ScrollBarCase{11, 0, 0, 108, 0},
                                           ScrollBarCase{11, 0, 10, 432, 0},
                                           ScrollBarCase{11, 0, 5, 108 + 5 * 324 / 10, 0},
                                           ScrollBarCase{20, 1, 19, 108 + 329, 5},
                                           ScrollBarCase{20, 2, 0, 108, 8}));

TEST_F(MenuDrawTest, ValueArrowsSitInsideTheValueColumnAndTheAreaEdge) {
  Show(3, 0, 1);
  // Line 0 is selected: arrows 20 pixels inside the value column and the area's right edge,
  // centred in the 35-pixel line.
  EXPECT_TRUE(Traced({Call::PutGd, {OSDRgn, 370, 106, 10, 15, 1}}));
  EXPECT_TRUE(Traced({Call::PutGd, {OSDRgn, 640, 106, 10, 15, 1}}));
  EXPECT_EQ(Pictures(10, 15), 2u) << "only the selected line has arrows";
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 371, 113), 0xFFB4B4B4u);

  MenuCursorType = MENUCURSOR_BlueAndDark;
  ListDirty = 1;
  OSDMenuUpdate(0);
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 371, 113), 0xFFFFFFFFu) << "bright arrows";

  // Without the value column there are no arrows.
  Show(3, 0, 0);
  Level().Items[0].ValueArrows = 1;
  ListDirty = 1;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  EXPECT_EQ(Pictures(10, 15), 0u);
}

TEST_F(MenuDrawTest, NumbersAndTheNameColumn) {
  Show(12, 0, 0, 1);
  int w01 = FMUC_GetStringWidth("01", &OSDMenuFont_14);
  int w10 = FMUC_GetStringWidth("10", &OSDMenuFont_14);
  EXPECT_EQ(TextWidthAt(71, 101), w01);
  EXPECT_EQ(TextWidthAt(71, 96 + 9 * 37 + 5), w10);
  EXPECT_GT(TextWidthAt(101, 101), 0) << "names start at 101";

  Level().Items[2].Number = 150;
  Level().Items[3].Number = 1234;
  ListDirty = 1;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  EXPECT_EQ(TextWidthAt(71, 96 + 2 * 37 + 5), FMUC_GetStringWidth("150", &OSDMenuFont_14));
  EXPECT_GT(TextWidthAt(111, 96 + 2 * 37 + 5), 0) << "the name moves to 111";
  EXPECT_EQ(TextWidthAt(71, 96 + 3 * 37 + 5), FMUC_GetStringWidth("1234", &OSDMenuFont_14));
  EXPECT_GT(TextWidthAt(121, 96 + 3 * 37 + 5), 0);

  // Without numbers the names start 16 pixels into the area.
  Show(2);
  EXPECT_GT(TextWidthAt(76, 101), 0);
  EXPECT_EQ(TextWidthAt(71, 101), -1);
}

TEST_F(MenuDrawTest, UnselectableLinesAreGrey) {
  OSDMenuInit(0, 0, 0, 0, "T", "S");
  OSDMenuItemAdd("Header", nullptr, nullptr, nullptr, 0, 0, 0);
  OSDMenuItemAdd("Item", nullptr, nullptr, nullptr, 1, 0, 0);
  Level().Selection = 1;
  OSDMenuUpdate(0);
  // The brightest pixel of the header's text is the grey of unselectable lines.
  dword brightest = 0;
  for (int x = 76; x < 200; ++x)
    for (int y = 101; y < 125; ++y) {
      dword p = stand::RegionPixel(OSDRgn, x, y);
      if ((p & 0xFF) > (brightest & 0xFF)) brightest = p;
    }
  EXPECT_EQ(brightest, 0xFF80808Cu);
}

TEST_F(MenuDrawTest, CursorLooks) {
  // No cursor.
  Show(3);
  MenuCursorType = MENUCURSOR_None;
  OSDDirty = 1;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  for (const TraceEntry& e : stand::OsdTrace())
    for (size_t i = 0; i < e.numbers.size(); ++i)
      EXPECT_FALSE(stand::IsColour(e.call, i) && (e.numbers[i] & 0xFFFFFF) == 0x5ACDEC) << e;
  EXPECT_TRUE(Calls(Call::Create, {kAny, kAny, kAny, kAny, kAny, 0x8000}).empty());
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 600, 113), 0xFF1E1E1Eu);

  // A frame of four bars.
  OSDDirty = 1;
  MenuCursorType = MENUCURSOR_Frame;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  for (auto [x, y, w, h] : {std::array{60, 96, 600, 2}, std::array{658, 96, 2, 35},
                            std::array{60, 129, 600, 2}, std::array{60, 96, 2, 35}})
    EXPECT_TRUE(Traced({Call::FillBox, {OSDRgn, x, y, w, h, 0xFF5ACDEC}}));
  EXPECT_TRUE(Calls(Call::Create, {kAny, kAny, kAny, kAny, kAny, 0x8000}).empty());

  // Blue tiles side by side over the whole line.
  OSDDirty = 1;
  MenuCursorType = MENUCURSOR_Blue;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  word tile = MemoryRegion(100, 35);
  ASSERT_NE(tile, 0);
  EXPECT_EQ(OSDMenuSelectionBarRgn, tile);
  EXPECT_EQ(OSDMenuLastCursor, MENUTILE_Blue);
  EXPECT_TRUE(Traced({Call::PutGd, {tile, 0, 0, 100, 35, 0}}));
  for (int j = 0; j < 6; ++j)
    EXPECT_TRUE(Traced({Call::Copy, {tile, OSDRgn, 0, 0, 100, 35, 60 + 100 * j, 96, 0}}));
  EXPECT_EQ(Calls(Call::Copy, {tile}).size(), 6u);
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 600, 113), 0xFF3C8CE0u);

  // The dark tile over the blue one, two pixels in, the last copy cut.
  OSDDirty = 1;
  MenuCursorType = MENUCURSOR_BlueAndDark;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  word dark = OSDMenuSelectionBarRgn;
  EXPECT_EQ(OSDMenuLastCursor, MENUTILE_Dark);
  for (int j = 0; j < 5; ++j)
    EXPECT_TRUE(Traced({Call::Copy, {dark, OSDRgn, 0, 0, 100, 35, 62 + 100 * j, 96, 0}}));
  EXPECT_TRUE(Traced({Call::Copy, {dark, OSDRgn, 0, 0, 96, 35, 562, 96, 0}}));
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 600, 113), 0xFF3A4250u);
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 61, 113), 0xFF3C8CE0u) << "blue shows at the edges";
}

TEST_F(MenuDrawTest, CursorTileFitsTheLineHeightAndTheRestIsCut) {
  for (auto [preset, height] : {std::pair{1, 23}, std::pair{2, 19}}) {
    Show(3, preset);
    EXPECT_NE(MemoryRegion(100, height), 0) << height;
  }
  Show(3);
  Level().AreaWidth = 630;
  OSDDirty = 1;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  const word t = OSDMenuSelectionBarRgn;
  EXPECT_EQ(Calls(Call::Copy, {t, OSDRgn, 0, 0, 100, 35}).size(), 6u);
  EXPECT_TRUE(Traced({Call::Copy, {t, OSDRgn, 0, 0, 30, 35, 660, 96, 0}}));
}

TEST_F(MenuDrawTest, TheCursorTileIsKeptUntilTheBackgroundIsRedrawn) {
  Show(5);
  word tile = OSDMenuSelectionBarRgn;
  stand::ClearOsdTrace();
  OSDMenuScrollDown();
  OSDMenuUpdate(0);
  EXPECT_TRUE(Calls(Call::Create).empty());
  EXPECT_EQ(OSDMenuSelectionBarRgn, tile);
  EXPECT_TRUE(Traced({Call::Copy, {tile, OSDRgn, 0, 0, 100, 35, 60, 133, 0}}));

  OSDDirty = 1;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  EXPECT_TRUE(Traced({Call::Delete, {tile}}));
  EXPECT_EQ(Calls(Call::Create).size(), 1u);
  EXPECT_TRUE(stand::RegionExists(OSDMenuSelectionBarRgn));
}

std::vector<dword> callbackCodes;
std::vector<word> callbackRegions;
void Record(dword code, word region) {
  callbackCodes.push_back(code);
  callbackRegions.push_back(region);
}

TEST_F(MenuDrawTest, OnlyTheDirtyPartsAreRedrawn) {
  OSDMenuInit(0, 0, 0, 0, "T", "S");
  for (int i = 0; i < 5; ++i)
    OSDMenuItemAdd("item", nullptr, nullptr, nullptr, 1, 0, 0);
  callbackCodes.clear();
  Level().Callback = Record;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  const TraceEntry background{Call::FillBox, {OSDRgn, 0, 0, 720, 576, 0xFF101010}};
  const TraceEntry title{Call::FillBox, {OSDRgn, 0, 0, 720, 96, 0xFF101010}};
  const TraceEntry buttons{Call::FillBox, {OSDRgn, 0, 481, 720, 95, 0xFF101010}};
  auto lists = [] { return Calls(Call::Draw3dBoxFill, {OSDRgn, 60, 96, 600, 368}).size(); };
  EXPECT_EQ(stand::OsdTrace().front(), TraceEntry({Call::Create, {OSDRgn, 0, 0, 720, 576, 0}}));
  EXPECT_TRUE(Traced({Call::ExitNormal}));
  EXPECT_FALSE(stand::NormalMode());
  for (const TraceEntry& part : {background, title, buttons})
    EXPECT_TRUE(Traced(part));
  EXPECT_EQ(lists(), 1u);
  EXPECT_EQ(stand::OsdTrace().back(), TraceEntry{Call::Sync});
  EXPECT_EQ(callbackCodes, (std::vector<dword>{0, 2, 3, 1}));
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 5, 5), dword(MENU_BACKGROUND_COLOUR));
  EXPECT_EQ(stand::RegionPixel(OSDRgn, 100, 480), 0xFF808080u);

  // A move redraws the list and scroll bar only.
  stand::ClearOsdTrace();
  callbackCodes.clear();
  OSDMenuScrollDown();
  OSDMenuUpdate(0);
  for (const TraceEntry& part : {background, title, buttons})
    EXPECT_FALSE(Traced(part));
  EXPECT_EQ(lists(), 1u);
  EXPECT_EQ(Pictures(16, 368), 1u);
  EXPECT_EQ(callbackCodes, (std::vector<dword>{1}));

  // Nothing dirty: only the sync, and not even that when asked not to.
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  EXPECT_EQ(stand::OsdTrace(), Trace{{Call::Sync}});
  stand::ClearOsdTrace();
  OSDMenuUpdate(1);
  EXPECT_TRUE(stand::OsdTrace().empty());

  // The title alone.
  TitleDirty = 1;
  stand::ClearOsdTrace();
  OSDMenuUpdate(0);
  EXPECT_TRUE(Traced(title));
  EXPECT_EQ(lists(), 0u);
}

TEST_F(MenuDrawTest, TheCallbackDrawsCustomLinesInACopy) {
  OSDMenuInit(0, 0, 0, 0, "T", "S");
  OSDMenuItemAdd("plain", nullptr, nullptr, nullptr, 1, 0, 0);
  OSDMenuItemAdd("custom", nullptr, nullptr, nullptr, 1, 0, 5);
  Level().Items[1].CustomDrawn = 1;
  Level().Callback = Record;
  callbackCodes.clear();
  callbackRegions.clear();
  OSDMenuUpdate(0);
  ASSERT_EQ(callbackCodes, (std::vector<dword>{0, 2, 3, 5 * 256 + 4, 1}));
  word line = callbackRegions[3];
  EXPECT_NE(line, OSDRgn);
  EXPECT_TRUE(Traced({Call::Create, {line, 0, 0, 600, 35, 0x8000}}));
  EXPECT_TRUE(Traced({Call::Copy, {OSDRgn, line, 60, 133, 600, 35, 0, 0, 0}}));
  EXPECT_TRUE(Traced({Call::Copy, {line, OSDRgn, 0, 0, 600, 35, 60, 133, 0}}));
  EXPECT_TRUE(Traced({Call::Delete, {line}}));
  EXPECT_EQ(callbackRegions[4], OSDRgn);
}

TEST_F(MenuDrawTest, ScreenshotOfAFullMenu) {
  OSDMenuInit(0, 1, 1, 0, "Recordings", "Sorted by date");
  OSDMenuItemAdd("Settings", nullptr, nullptr, nullptr, 0, 0, 0);
  const char* names[] = {"Prompt on", "Timeout",    "Colour",    "Language",
                         "Font size", "Start mode", "Skip back", "Skip ahead",
                         "Subtitles", "Audio",      "Aspect",    "Sleep"};
  for (int i = 0; i < 12; ++i)
    OSDMenuItemAdd(names[i], i == 2 ? "" : "Value", nullptr, nullptr, 1, i % 3 == 1, i + 1);
  Level().Items[3].ColourBox = 0xFFE89211;
  Level().Items[5].Number = 150;
  Level().ButtonCount = 1;
  Level().Buttons[0] = tButton{60, 500, &_Button_exit_Gd, 0xFFE6E6FA, "Back"};
  Level().Selection = 2;
  OSDMenuUpdate(0);
  const std::string path = SCRAPDECK_BINARY_DIR "/screenshots/menu.png";
  if (!stand::WritePng(path)) GTEST_SKIP() << "this stand has no PNG output";
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
