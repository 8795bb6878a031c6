// Host events routed to the open on-screen element: the message box's keys, the menu's
// moves, the colour picker's keys, the info box's exit key and timeout, and what is left
// to the caller.
#include <cstring>
#include <string>

#include "lib/osd/event.h"
#include "lib/osd/messagebox.h"
#include "tests/lib/menu/menu_test.h"
#include "tests/support/trace.h"

namespace {

constexpr dword UNTOUCHED = 0x1234;  // LastUnprocessedOSDMenuKey before an event

class RoutingTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    std::memset(&MessageBox, 0, sizeof MessageBox);
    MessageBoxOSDRgn = ProgressBarOSDRgn = MyOSDRgn = 0;
    MessageBoxAllowScrollOver = MessageBoxNoNormalMode = 0;
    InfoBoxSaveArea = nullptr;
    LastUnprocessedOSDMenuKey = UNTOUCHED;
  }

  // Sends one event; the key (or other first parameter) is updated as the caller's is.
  bool Send(word event, dword& param1) { return OSDMenuEvent(&event, &param1, nullptr); }

  // The prompt's box: "Delete" and "Keep", with `selected` selected.
  void OpenBox(dword selected) {
    OSDMenuMessageBoxInitialize("Playback stopped", "Film");
    OSDMenuMessageBoxButtonAdd("Delete");
    OSDMenuMessageBoxButtonAdd("Keep");
    OSDMenuMessageBoxButtonSelect(selected);
    OSDMenuMessageBoxShow();
    ASSERT_TRUE(OSDMenuMessageBoxIsVisible());
    stand::ClearOsdTrace();
  }

  size_t BoxDraws() { return Count({Call::PutGd, {MessageBoxOSDRgn, 0, 0, 380, 190, 0}}); }
};

struct BoxCase {
  const char* what;
  bool scrollOver;
  dword selected;
  dword key;
  dword selectedAfter;
  bool taken;  // the key is cleared and not left to the caller
  bool redrawn;
  bool openAfter;
};

class MessageBoxRoutingTest : public RoutingTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBoxRoutingTest, Keys) {
  const BoxCase& c = GetParam();
  OpenBox(c.selected);
  MessageBoxAllowScrollOver = c.scrollOver;
  dword key = c.key;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, key));
  EXPECT_EQ(key, c.taken ? 0 : c.key);
  EXPECT_EQ(LastUnprocessedOSDMenuKey, c.taken ? 0 : c.key);
  EXPECT_EQ(OSDMenuMessageBoxLastButton(), c.selectedAfter);
  EXPECT_EQ(OSDMenuMessageBoxIsVisible(), c.openAfter);
  if (c.openAfter) {
    EXPECT_EQ(BoxDraws(), c.redrawn ? 1u : 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MessageBoxRoutingTest,
    ::testing::Values(BoxCase{"LeftMoves", false, 1, KEY_LEFT, 0, true, true, true},
                      BoxCase{"LeftOnFirstStays", false, 0, KEY_LEFT, 0, true, false, true},
                      BoxCase{"LeftOnFirstWraps", true, 0, KEY_LEFT, 1, true, true, true},
                      BoxCase{"RightMoves", false, 0, KEY_RIGHT, 1, true, true, true},
                      BoxCase{"RightOnLastStays", false, 1, KEY_RIGHT, 1, true, false, true},
                      BoxCase{"RightOnLastWraps", true, 1, KEY_RIGHT, 0, true, true, true},
                      BoxCase{"OkConfirms", false, 0, KEY_OK, 0, true, false, false},
                      BoxCase{"ExitCancels", false, 1, KEY_EXIT, MESSAGEBOX_NO_BUTTON, true, false,
                              false},
                      BoxCase{"StopIsPassedOn", false, 1, KEY_STOP, 1, false, false, true},
                      BoxCase{"SettingsIsPassedOn", false, 1, KEY_SETTINGS, 1, false, false, true},
                      BoxCase{"UpIsPassedOn", true, 0, KEY_UP, 0, false, false, true}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return info.param.what; });

TEST_F(RoutingTest, MessageBoxIgnoresIdleEventsAndMissingPointers) {
  OpenBox(1);
  dword param = 77;
  EXPECT_FALSE(Send(HOST_EVENT_IDLE, param));
  EXPECT_FALSE(Send(HOST_EVENT_MANAGER, param));
  EXPECT_EQ(param, 77u);
  word key = HOST_EVENT_KEY;
  dword left = KEY_LEFT;
  EXPECT_FALSE(OSDMenuEvent(&key, nullptr, nullptr));
  EXPECT_FALSE(OSDMenuEvent(nullptr, &left, nullptr));
  EXPECT_EQ(left, KEY_LEFT);
  EXPECT_EQ(OSDMenuMessageBoxLastButton(), 1u);
  EXPECT_TRUE(OSDMenuMessageBoxIsVisible());
  EXPECT_EQ(LastUnprocessedOSDMenuKey, UNTOUCHED);
  EXPECT_TRUE(stand::OsdTrace().empty());
}

TEST_F(RoutingTest, ClosingGivesTheNormalModeBackUnlessTold) {
  OpenBox(0);
  dword ok = KEY_OK;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, ok));
  EXPECT_TRUE(stand::NormalMode());
  EXPECT_EQ(Count({Call::Sync}), 1u);

  OpenBox(0);
  MessageBoxNoNormalMode = 1;
  dword exit = KEY_EXIT;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, exit));
  EXPECT_FALSE(OSDMenuMessageBoxIsVisible());
  EXPECT_FALSE(stand::NormalMode());
  EXPECT_EQ(Count({Call::Sync}), 0u);
  EXPECT_EQ(OSDMenuMessageBoxLastButton(), MESSAGEBOX_NO_BUTTON);
}

TEST_F(RoutingTest, NothingOpenTakesNothing) {
  for (word event : {HOST_EVENT_IDLE, HOST_EVENT_KEY, HOST_EVENT_MANAGER})
    for (dword key : {dword(KEY_OK), dword(KEY_EXIT), dword(KEY_LEFT), dword(KEY_DOWN), dword(2)}) {
      dword param = key;
      EXPECT_FALSE(Send(event, param));
      EXPECT_EQ(param, key);
    }
  EXPECT_FALSE(OSDMenuEvent(nullptr, nullptr, nullptr));
  EXPECT_EQ(LastUnprocessedOSDMenuKey, UNTOUCHED);
  EXPECT_TRUE(stand::OsdTrace().empty());
}

struct MenuCase {
  const char* what;
  dword key;
  int passLeftRight;
  int selectionAfter;  // from 5 of 30 items with 10 lines, top line 0
  bool taken;
};

class MenuRoutingTest : public RoutingTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuRoutingTest, Keys) {
  const MenuCase& c = GetParam();
  MakeList(std::string(30, 's'));
  Level().PassLeftRight = c.passLeftRight;
  Level().Selection = 5;
  OSDMenuUpdate(0);
  stand::ClearOsdTrace();
  dword key = c.key;
  EXPECT_EQ(Send(HOST_EVENT_KEY, key), c.taken);
  EXPECT_EQ(Level().Selection, c.selectionAfter);
  EXPECT_EQ(key, c.taken ? 0 : c.key);
  EXPECT_EQ(LastUnprocessedOSDMenuKey, c.taken ? 0 : c.key);
  if (c.taken) {
    // The list is drawn again and shown.
    EXPECT_EQ(Count({Call::Draw3dBoxFill,
                     {OSDRgn, 60, 96, 600, 368, 0xFF1E1E1E, 0xFF1E1E1E, 0xFF1E1E1E}}),
              1u);
    EXPECT_EQ(stand::OsdTrace().back(), TraceEntry{Call::Sync});
  } else {
    EXPECT_TRUE(stand::OsdTrace().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, MenuRoutingTest,
                         ::testing::Values(MenuCase{"Up", KEY_UP, 0, 4, true},
                                           MenuCase{"Down", KEY_DOWN, 0, 6, true},
                                           MenuCase{"PageUp1", KEY_PAGEUP_1, 0, 0, true},
                                           MenuCase{"PageUp2", KEY_PAGEUP_2, 0, 0, true},
                                           MenuCase{"PageDown1", KEY_PAGEDOWN_1, 0, 9, true},
                                           MenuCase{"PageDown2", KEY_PAGEDOWN_2, 0, 9, true},
                                           MenuCase{"LeftPagesUp", KEY_LEFT, 0, 0, true},
                                           MenuCase{"RightPagesDown", KEY_RIGHT, 0, 9, true},
                                           MenuCase{"LeftForTheCaller", KEY_LEFT, 1, 5, false},
                                           MenuCase{"RightForTheCaller", KEY_RIGHT, 1, 5, false},
                                           MenuCase{"OkForTheCaller", KEY_OK, 0, 5, false},
                                           MenuCase{"ExitForTheCaller", KEY_EXIT, 0, 5, false}),
                         [](const ::testing::TestParamInfo<MenuCase>& info) {
                           return info.param.what;
                         });

TEST_F(RoutingTest, MenuIgnoresOtherEvents) {
  MakeList("sss");
  OSDMenuUpdate(0);
  stand::ClearOsdTrace();
  dword down = KEY_DOWN;
  EXPECT_FALSE(Send(HOST_EVENT_IDLE, down));
  word key = HOST_EVENT_KEY;
  EXPECT_FALSE(OSDMenuEvent(&key, nullptr, nullptr));
  EXPECT_EQ(Level().Selection, 0);
  EXPECT_EQ(down, KEY_DOWN);
  EXPECT_EQ(LastUnprocessedOSDMenuKey, UNTOUCHED);
  EXPECT_TRUE(stand::OsdTrace().empty());
}

TEST_F(RoutingTest, TheMessageBoxOverAMenuTakesTheKeys) {
  MakeList("sss");
  OSDMenuUpdate(0);
  OpenBox(1);
  dword left = KEY_LEFT, down = KEY_DOWN;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, left));
  EXPECT_EQ(OSDMenuMessageBoxLastButton(), 0u);
  EXPECT_TRUE(Send(HOST_EVENT_KEY, down));  // the box passes it on; the menu never sees it
  EXPECT_EQ(down, KEY_DOWN);
  EXPECT_EQ(Level().Selection, 0);
}

struct PickerCase {
  const char* what;
  dword selected;
  dword colour;
  dword key;
  dword selectedAfter;
  dword colourAfter;
  size_t cursorDraws;
  bool taken;
  bool openAfter;
};

class ColorPickerRoutingTest : public RoutingTest,
                               public ::testing::WithParamInterface<PickerCase> {};

TEST_P(ColorPickerRoutingTest, Keys) {
  const PickerCase& c = GetParam();
  ColorPickerOSDRgn = TAP_Osd_Create(100, 100, 340, 100, 0, 0);
  ColorPickerColor = c.colour;
  ColorPickerDefaultColor = 0xFF112233;
  CurrentColorSelected = c.selected;
  stand::ClearOsdTrace();
  dword key = c.key;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, key));
  EXPECT_EQ(key, c.taken ? 0 : c.key);
  EXPECT_EQ(LastUnprocessedOSDMenuKey, c.taken ? 0 : c.key);
  EXPECT_EQ(CurrentColorSelected, c.selectedAfter);
  EXPECT_EQ(ColorPickerColor, c.colourAfter);
  EXPECT_EQ(ColorPickerOSDRgn != 0, c.openAfter);
  EXPECT_EQ(Calls(Call::DrawRectangle).size(), c.cursorDraws);
  EXPECT_EQ(Count({Call::Sync}), c.cursorDraws || !c.openAfter ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColorPickerRoutingTest,
    ::testing::Values(
        PickerCase{"RedAgain", 0, 0xFF0A80F5, KEY_RED, 0, 0xFF0A80F5, 0, true, true},
        PickerCase{"GreenSelected", 0, 0xFF0A80F5, KEY_GREEN, 1, 0xFF0A80F5, 2, true, true},
        PickerCase{"BlueSelected", 1, 0xFF0A80F5, KEY_BLUE, 2, 0xFF0A80F5, 2, true, true},
        PickerCase{"UpAddsTen", 0, 0xFF0A80F5, KEY_UP, 0, 0xFF1480F5, 1, true, true},
        PickerCase{"UpStopsAtTheTop", 0, 0xFFFA80F5, KEY_UP, 0, 0xFFFF80F5, 1, true, true},
        PickerCase{"UpAtTheTopDoesNothing", 0, 0xFFFF80F5, KEY_UP, 0, 0xFFFF80F5, 0, true, true},
        PickerCase{"DownStopsAtZero", 0, 0xFF0580F5, KEY_DOWN, 0, 0xFF0080F5, 1, true, true},
        PickerCase{"RightAddsOne", 2, 0xFF0A80F5, KEY_RIGHT, 2, 0xFF0A80F6, 1, true, true},
        PickerCase{"RightAtTheTopDoesNothing", 2, 0xFF0A80FF, KEY_RIGHT, 2, 0xFF0A80FF, 0, true,
                   true},
        PickerCase{"LeftTakesOne", 1, 0xFF0A80F5, KEY_LEFT, 1, 0xFF0A7FF5, 1, true, true},
        PickerCase{"LeftAtZeroDoesNothing", 1, 0xFF0A00F5, KEY_LEFT, 1, 0xFF0A00F5, 0, true, true},
        PickerCase{"OkKeepsTheColour", 0, 0xFF0A80F5, KEY_OK, 0, 0xFF0A80F5, 0, true, false},
        PickerCase{"ExitFallsBack", 0, 0xFF0A80F5, KEY_EXIT, 0, 0xFF112233, 0, true, false},
        PickerCase{"OtherKeysArePassed", 0, 0xFF0A80F5, KEY_STOP, 0, 0xFF0A80F5, 0, false, true}),
    [](const ::testing::TestParamInfo<PickerCase>& info) { return info.param.what; });

TEST_F(RoutingTest, ClosingThePickerGivesTheScreenBack) {
  ColorPickerOSDRgn = TAP_Osd_Create(100, 100, 340, 100, 0, 0);
  word region = ColorPickerOSDRgn;
  TAP_ExitNormal();
  dword ok = KEY_OK;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, ok));
  EXPECT_FALSE(stand::RegionExists(region));
  EXPECT_TRUE(stand::NormalMode());
  dword idle = 0;
  EXPECT_FALSE(Send(HOST_EVENT_KEY, idle));
}

class InfoBoxRoutingTest : public RoutingTest {
 protected:
  void SetUp() override {
    RoutingTest::SetUp();
    InfoBoxOSDRgn = TAP_Osd_Create(170, 193, 380, 190, 0, 0);
    InfoBoxTimeOut = stand::Now() + 100;
  }
};

TEST_F(InfoBoxRoutingTest, ClosesOnIdleOnceItsTimeIsUp) {
  dword param = 0;
  stand::Advance(100);
  EXPECT_FALSE(Send(HOST_EVENT_IDLE, param));
  EXPECT_NE(InfoBoxOSDRgn, 0) << "not yet at the deadline itself";
  EXPECT_FALSE(Send(HOST_EVENT_MANAGER, param));
  stand::Advance(1);
  EXPECT_FALSE(Send(HOST_EVENT_MANAGER, param));
  EXPECT_NE(InfoBoxOSDRgn, 0) << "only idle events close it";
  EXPECT_FALSE(OSDMenuEvent(nullptr, &param, nullptr));
  EXPECT_EQ(InfoBoxOSDRgn, 0);
  EXPECT_TRUE(stand::NormalMode());
}

TEST_F(InfoBoxRoutingTest, TheDeadlineHoldsAcrossTheTickWrap) {
  stand::Advance(0xFFFFFF00u);
  InfoBoxTimeOut = stand::Now() + 0x200;  // past the wrap
  dword param = 0;
  EXPECT_FALSE(Send(HOST_EVENT_IDLE, param));
  EXPECT_NE(InfoBoxOSDRgn, 0);
  stand::Advance(0x201);
  EXPECT_FALSE(Send(HOST_EVENT_IDLE, param));
  EXPECT_EQ(InfoBoxOSDRgn, 0);
}

TEST_F(InfoBoxRoutingTest, ExitClosesItAndOtherKeysArePassed) {
  MakeList("sss");
  OSDMenuUpdate(0);  // a menu beneath does not see the keys
  dword down = KEY_DOWN;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, down));
  EXPECT_EQ(down, KEY_DOWN);
  EXPECT_EQ(LastUnprocessedOSDMenuKey, KEY_DOWN);
  EXPECT_EQ(Level().Selection, 0);
  dword exit = KEY_EXIT;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, exit));
  EXPECT_EQ(exit, 0u);
  EXPECT_EQ(LastUnprocessedOSDMenuKey, 0u);
  EXPECT_EQ(InfoBoxOSDRgn, 0);
  EXPECT_FALSE(stand::NormalMode()) << "the menu still owns the screen";
  // Now the menu has the keys.
  down = KEY_DOWN;
  EXPECT_TRUE(Send(HOST_EVENT_KEY, down));
  EXPECT_EQ(Level().Selection, 1);
}

TEST_F(InfoBoxRoutingTest, TheSpinnerTurnsOnEveryEvent) {
  WaitSpinnerRgn = TAP_Osd_Create(300, 300, 100, 10, 0, 0);
  dword param = KEY_OK;
  Send(HOST_EVENT_KEY, param);
  Send(HOST_EVENT_IDLE, param);
  Send(HOST_EVENT_MANAGER, param);
  OSDMenuEvent(nullptr, nullptr, nullptr);
  EXPECT_EQ(WaitSpinnerIndex, 4u);
  EXPECT_EQ(stand::RegionPixel(WaitSpinnerRgn, 4 * 8, 0), 0xFFE6E6FAu);
  EXPECT_EQ(stand::RegionPixel(WaitSpinnerRgn, 3 * 8, 0), 0xFF404040u);
  // Closing the box takes the spinner along.
  dword exit = KEY_EXIT;
  Send(HOST_EVENT_KEY, exit);
  EXPECT_EQ(WaitSpinnerRgn, 0);
}

}  // namespace
