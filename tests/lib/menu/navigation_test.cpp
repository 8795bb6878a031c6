// The menu's items and the moves of its selection: line and page steps, wrap-around,
// keeping the selection on screen, the growing item array and memo word-wrap.
#include <cstring>
#include <random>
#include <string>

#include "lib/osd/osd.h"
#include "tests/lib/menu/menu_test.h"

namespace {

using Move = int (*)(void);

struct MoveCase {
  const char* what;
  const char* pattern;
  int visibleLines;
  bool wrap;
  int selection;
  int top;
  Move move;
  int answer;    // what the move returns
  int selected;  // Selection afterwards
};

class MenuMoveTest : public MenuTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MenuMoveTest, MovesTheSelection) {
  const MoveCase& c = GetParam();
  MakeList(c.pattern, c.visibleLines, c.wrap);
  Level().Selection = c.selection;
  Level().TopIndex = c.top;
  ListDirty = 0;
  EXPECT_EQ(c.move(), c.answer);
  EXPECT_EQ(Level().Selection, c.selected);
  EXPECT_EQ(ListDirty, c.answer == -1 ? 0 : 1);
}

const char k12[] = "ssssssssssss";
const char k25EndsUnselectable[] = "sssssssssssssssssssssss--";

INSTANTIATE_TEST_SUITE_P(
    Moves, MenuMoveTest,
    ::testing::Values(
        MoveCase{"page down to the last visible line", k12, 10, false, 0, 0, OSDMenuScrollPageDown,
                 9, 9},
        MoveCase{"page down from the last visible line stops at the end", k12, 10, false, 9, 0,
                 OSDMenuScrollPageDown, 11, 11},
        MoveCase{"down on the last item stays", k12, 10, false, 11, 2, OSDMenuScrollDown, 11, 11},
        MoveCase{"up on the first item does not move", k12, 10, false, 0, 0, OSDMenuScrollUp, -1,
                 0},
        MoveCase{"down skips unselectable lines", "ss--s", 10, false, 1, 0, OSDMenuScrollDown, 4,
                 4},
        MoveCase{"up skips unselectable lines", "ss--s", 10, false, 4, 0, OSDMenuScrollUp, 1, 1},
        MoveCase{"down wraps to the first selectable", "-sss", 10, true, 3, 0, OSDMenuScrollDown, 1,
                 1},
        MoveCase{"up wraps to the last selectable", "-ss-", 10, true, 1, 0, OSDMenuScrollUp, 2, 2},
        MoveCase{"page down on the last item wraps", k12, 10, true, 11, 2, OSDMenuScrollPageDown, 0,
                 0},
        MoveCase{"page up on the first item wraps", "ssss-", 3, true, 0, 0, OSDMenuScrollPageUp, 3,
                 3},
        MoveCase{"page up to the first visible line", k12, 10, false, 8, 2, OSDMenuScrollPageUp, 2,
                 2},
        MoveCase{"page up from the first visible line", k12, 10, false, 2, 2, OSDMenuScrollPageUp,
                 0, 0},
        MoveCase{"page up a whole page", k12 /* 12 items */, 5, false, 7, 7, OSDMenuScrollPageUp, 2,
                 2},
        // The page would end on an unselectable last line: the cursor stops on the last
        // selectable one.
        MoveCase{"page down to an unselectable end", k25EndsUnselectable, 10, false, 15, 6,
                 OSDMenuScrollPageDown, 22, 22},
        MoveCase{"page down with the end in view", "sssssss--", 10, false, 2, 0,
                 OSDMenuScrollPageDown, 6, 6},
        MoveCase{"nothing selectable", "---", 10, false, 0, 0, OSDMenuScrollDown, -1, 0},
        MoveCase{"empty list", "", 10, true, 0, 0, OSDMenuScrollPageDown, -1, 0}),
    [](const ::testing::TestParamInfo<MoveCase>& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(MenuTest, SearchesAnswerMinusOneWithoutSelectableItems) {
  MakeList("--");
  EXPECT_EQ(OSDMenuFindNextSelectableEntry(-1), -1);
  EXPECT_EQ(OSDMenuFindPreviousSelectableEntry(2), -1);
  MakeList("");
  EXPECT_EQ(OSDMenuFindNextSelectableEntry(-1), -1);
}

struct IndexCase {
  const char* what;
  const char* pattern;
  int selection;
  int top;
  int expectedTop;
};

class MenuIndexTest : public MenuTest, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(MenuIndexTest, KeepsTheSelectionInView) {
  const IndexCase& c = GetParam();
  MakeList(c.pattern, 10);
  Level().Selection = c.selection;
  Level().TopIndex = c.top;
  OSDCalcIndices();
  EXPECT_EQ(Level().TopIndex, c.expectedTop) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Indices, MenuIndexTest,
    ::testing::Values(
        IndexCase{"header lines come back into view", "--ssssssssssssssssss", 2, 5, 0},
        IndexCase{"selection above with selectable lines above", "ssssssssssssssssssss", 4, 6, 4},
        IndexCase{"selection below moves to the last line", "ssssssssssssssssssss", 14, 0, 5},
        IndexCase{"unselectable footer comes into view", "ssssssssssss---", 11, 0, 5},
        // More header lines than a page: as many as fit, the selection still on screen.
        IndexCase{"long header", "---------------sssss", 15, 18, 6},
        // More footer lines than a page: the selection stays on screen.
        IndexCase{"long footer", "sssssssssssss-----------------", 12, 0, 12},
        IndexCase{"in view stays", "ssssssssssssssssssss", 7, 3, 3}));

TEST_F(MenuTest, ScrollingKeepsTheSelectionSelectableAndVisible) {
  std::mt19937 random(20261208);
  const Move moves[] = {OSDMenuScrollUp, OSDMenuScrollDown, OSDMenuScrollPageUp,
                        OSDMenuScrollPageDown};
  const int lines[] = {10, 15, 18};
  for (int trial = 0; trial < 400; ++trial) {
    int count = std::uniform_int_distribution<int>(0, 45)(random);
    int selectableInTen = std::uniform_int_distribution<int>(0, 10)(random);
    std::string pattern;
    for (int i = 0; i < count; ++i)
      pattern += std::uniform_int_distribution<int>(0, 9)(random) < selectableInTen ? 's' : '-';
    int n = lines[trial % 3];
    bool wrap = trial % 2;
    MakeList(pattern, n, wrap);
    bool anySelectable = pattern.find('s') != std::string::npos;
    // The caller starts a list on its first selectable line.
    if (anySelectable) Level().Selection = OSDMenuFindNextSelectableEntry(-1);
    OSDCalcIndices();
    std::string history;
    for (int step = 0; step < 60; ++step) {
      int which = std::uniform_int_distribution<int>(0, 3)(random);
      history += "UDud"[which];
      moves[which]();
      OSDCalcIndices();  // as every redraw does
      const tMenu& m = Level();
      SCOPED_TRACE("list " + pattern + " lines " + std::to_string(n) + " wrap " +
                   std::to_string(wrap) + " moves " + history);
      if (anySelectable) {
        ASSERT_GE(m.Selection, 0);
        ASSERT_LT(m.Selection, count);
        ASSERT_TRUE(m.Items[m.Selection].Selectable);
        ASSERT_LE(m.TopIndex, m.Selection);
        ASSERT_LT(m.Selection, m.TopIndex + n);
      } else {
        ASSERT_EQ(m.Selection, 0);
      }
    }
  }
}

TEST_F(MenuTest, InitialisingAgainGivesTheOldArrayBack) {
  MakeList("sss");
  size_t live = stand::Memory().liveBlocks;
  MakeList("ss");
  EXPECT_EQ(stand::Memory().liveBlocks, live);
  EXPECT_EQ(Level().ItemCount, 2);
}

TEST_F(MenuTest, AddingCutsTextsAndRefusesEmptyNames) {
  OSDMenuInit(0, 1, 0, 0, "T", "S");
  std::string longName(200, 'n');
  EXPECT_EQ(OSDMenuItemAdd(longName.c_str(), "On", nullptr, nullptr, 1, 1, 42), 1);
  EXPECT_EQ(OSDMenuItemAdd(nullptr, "x", nullptr, nullptr, 1, 0, 0), 0);
  EXPECT_EQ(OSDMenuItemAdd("", "x", nullptr, nullptr, 1, 0, 0), 0);
  ASSERT_EQ(Level().ItemCount, 1);
  EXPECT_EQ(std::strlen(Level().Items[0].Name), 127u);
  EXPECT_EQ(Level().ItemsHaveArrows, 1);

  // A record reused after clearing starts without its old drawing hook.
  Level().Items[0].CustomDrawn = 1;
  OSDMenuItemsClear();
  EXPECT_EQ(Level().ItemCapacity, 30);
  EXPECT_EQ(OSDMenuItemAdd("again", nullptr, nullptr, nullptr, 1, 0, 0), 1);
  EXPECT_EQ(Level().Items[0].CustomDrawn, 0);
  EXPECT_STREQ(Level().Items[0].Value, "");
}

TEST_F(MenuTest, TheThirtyFirstItemGrowsTheArray) {
  MakeList(std::string(30, 's'));
  tItem* old = Level().Items;
  EXPECT_EQ(OSDMenuItemAdd("Item 30", nullptr, nullptr, nullptr, 1, 0, 30), 1);
  EXPECT_EQ(Level().ItemCapacity, 60);
  EXPECT_NE(Level().Items, old);
  EXPECT_EQ(stand::BlockSize(old), 0u) << "the old array is given back";
  EXPECT_EQ(stand::BlockSize(Level().Items), 60 * sizeof(tItem));
  for (int i = 0; i <= 30; ++i) {
    EXPECT_EQ(Level().Items[i].Name, "Item " + std::to_string(i));
    EXPECT_EQ(Level().Items[i].ID, i);
  }
}

TEST_F(MenuTest, NoMemoryToGrowKeepsTheItems) {
  MakeList(std::string(30, 's'));
  tItem* old = Level().Items;
  stand::FailAllocation(1);
  EXPECT_EQ(OSDMenuItemAdd("Item 30", nullptr, nullptr, nullptr, 1, 0, 30), 0);
  EXPECT_EQ(Level().Items, old);
  EXPECT_EQ(Level().ItemCount, 30);
  EXPECT_EQ(Level().ItemCapacity, 30);
  for (int i = 0; i < 30; ++i)
    EXPECT_EQ(Level().Items[i].Name, "Item " + std::to_string(i));
  // With memory again the item goes in.
  EXPECT_EQ(OSDMenuItemAdd("Item 30", nullptr, nullptr, nullptr, 1, 0, 30), 1);
  EXPECT_EQ(Level().ItemCount, 31);
}

TEST_F(MenuTest, NoMemoryAtInitialisationIsTriedAgainOnAdd) {
  OSDMenuLoadStdFonts();
  stand::FailAllocation(1);
  OSDMenuInit(0, 0, 0, 0, "T", "S");
  EXPECT_EQ(Level().Items, nullptr);
  EXPECT_EQ(Level().ItemCapacity, 0);
  EXPECT_EQ(OSDMenuItemAdd("first", nullptr, nullptr, nullptr, 1, 0, 0), 1);
  EXPECT_EQ(Level().ItemCapacity, 30);
}

class MemoTest : public MenuTest {
 protected:
  void Format(const char* text) {
    OSDMenuInit(0, 0, 0, 0, "Memo", "");
    Level().MenuType = MENUTYPE_Memo;
    Level().MemoText = text;
    OSDMenuSetLineHeight(0);  // wraps the memo again
  }
  std::string Line(int i) { return Level().Items[i].Name; }
};

TEST_F(MemoTest, ShortWordsMakeOneLine) {
  Format("three short words");
  ASSERT_EQ(Level().ItemCount, 1);
  EXPECT_EQ(Line(0), "three short words");
  EXPECT_EQ(Level().VisibleLines, 15);
  EXPECT_TRUE(Level().Items[0].Selectable);
}

TEST_F(MemoTest, LineFeedsEndLinesAndEmptyLinesAreKept) {
  Format("one\n\ntwo");
  ASSERT_EQ(Level().ItemCount, 3);
  EXPECT_EQ(Line(0), "one");
  EXPECT_EQ(Line(1), " ");
  EXPECT_EQ(Line(2), "two");
}

TEST_F(MemoTest, LongTextIsCutAtSpacesToFit) {
  std::string text;
  for (int i = 0; i < 60; ++i)
    text += "word" + std::to_string(i) + " ";
  text += "end";
  Format(text.c_str());
  ASSERT_GT(Level().ItemCount, 2);
  std::string joined;
  for (int i = 0; i < Level().ItemCount; ++i) {
    std::string line = Line(i);
    int width = FMUC_GetStringWidth(line.c_str(), Level().MemoFont);
    EXPECT_LT(width, MENU_MEMO_MAX_WIDTH) << line;
    EXPECT_NE(line.front(), ' ') << "a line starts with a word";
    if (i + 1 < Level().ItemCount) {
      // The next line's first word did not fit on this one.
      std::string next = Line(i + 1);
      std::string longer = line + " " + next.substr(0, next.find(' '));
      EXPECT_GE(FMUC_GetStringWidth(longer.c_str(), Level().MemoFont) +
                    FMUC_GetStringWidth(" ", Level().MemoFont),
                MENU_MEMO_MAX_WIDTH);
    }
    joined += (i ? " " : "") + line;
  }
  EXPECT_EQ(joined, text);
}

TEST_F(MemoTest, AWordWiderThanALineStandsAlone) {
  std::string word(200, 'W');
  std::string text = "a " + word + " b";
  Format(text.c_str());
  ASSERT_EQ(Level().ItemCount, 3);
  EXPECT_EQ(Line(0), "a");
  EXPECT_EQ(Line(1), word.substr(0, 127));
  EXPECT_EQ(Line(2), "b");
}

TEST_F(MemoTest, HeldAtEndKeepsTheLastPageFull) {
  std::string text;
  for (int i = 0; i < 20; ++i)
    text += "line " + std::to_string(i) + "\n";
  text += "last";
  Format(text.c_str());
  Level().MenuType = MENUTYPE_MemoHeldAtEnd;
  Level().Selection = 18;
  OSDCalcIndices();
  EXPECT_EQ(Level().TopIndex, 21 - 15);
  EXPECT_EQ(Level().Selection, 21 - 15);
  Level().MenuType = MENUTYPE_Memo;
  Level().Selection = 18;
  OSDCalcIndices();
  EXPECT_EQ(Level().TopIndex, 18);
}

}  // namespace
