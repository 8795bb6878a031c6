// Reading and changing entries of the text held in memory.
#include <climits>

#include "tests/lib/ini/ini_test_support.h"

namespace {

struct GetIntCase {
  const char* text;
  const char* key;
  int expected;  // with default 30, min -100, max 59940
};

class IniKeysTest : public IniTest {};

TEST_F(IniKeysTest, GetIntFindsWholeWordKeysAndChecksTheNumber) {
  const std::string k78(78, 'k');
  const std::string k100(100, 'k');
  const std::string cut = k78 + "=7\r\n";
  const GetIntCase cases[] = {
      {"TIMEOUT=45\r\n", "timeout", 45},
      {"a=1\r\ntimeout=45\r\nb=2\r\n", "timeout", 45},
      {"xtimeout=5\r\n", "timeout", 30},
      {"; timeout=5\r\n", "timeout", 5},
      {"a=b timeout=6\r\n", "timeout", 6},
      {"a\ttimeout=6\r\n", "timeout", 6},
      {"a timeout=7\r\ntimeout=5\r\n", "timeout", 7},
      {"timeout = 5\r\n", "timeout", 30},
      {"timeout=\r\n", "timeout", 30},
      {"timeout=12a\r\n", "timeout", 30},
      {"timeout=-\r\n", "timeout", 30},
      {"timeout=-7\r\n", "timeout", -7},
      {"timeout=--7\r\n", "timeout", 30},
      {"timeout=7-\r\n", "timeout", 30},
      {"timeout=-500\r\n", "timeout", -100},
      {"timeout=99999\r\n", "timeout", 59940},
      {"timeout=5", "timeout", 30},
      {"timeout=5\ny=1\n", "timeout", 5},
      {"timeout=5\ry=1\r", "timeout", 5},
      {"y=1\rtimeout=5\r", "timeout", 5},
      {"timeout=5\ry=1\n", "timeout", 30},
      {"timeout=00000000000000045\r\n", "timeout", 45},
      {"timeout=4500000000000000abc\r\n", "timeout", 59940},
      {"timeout=123x\r\n", "timeout", 30},
      {"timeout=-99999999999999999\r\n", "timeout", -100},
      {"timeout=4294967295\r\n", "timeout", 59940},
      {"", "timeout", 30},
      {cut.c_str(), k100.c_str(), 7},
  };
  for (const GetIntCase& c : cases) {
    Hold(c.text);
    EXPECT_EQ(INIGetInt(c.key, 30, -100, 59940), c.expected) << testing::PrintToString(c.text);
  }
}

TEST_F(IniKeysTest, GetIntWithoutBufferOrKey) {
  EXPECT_EQ(INIGetInt("timeout", 30, 1, 100), 30);
  Hold("timeout=5\r\n");
  EXPECT_EQ(INIGetInt(nullptr, 30, 1, 100), 0);
  EXPECT_EQ(INIGetInt("timeout", 30, INT_MIN, INT_MAX), 5);
}

TEST_F(IniKeysTest, FindStartEndMarksTheEntryAndLimitsIt) {
  Hold("a=1\r\ntimeout=12345\r\n");
  char* start = nullptr;
  char* end = nullptr;
  INIFindStartEnd("timeout=", &start, &end, 1000);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start, INIBuffer + 5);
  EXPECT_EQ(*end, '5');
  EXPECT_EQ(end, INIBuffer + 17);
  INIFindStartEnd("timeout=", &start, &end, 10);
  EXPECT_EQ(end, start + 9);
  INIFindStartEnd("nothing=", &start, &end, 10);
  EXPECT_EQ(start, nullptr);
  EXPECT_EQ(end, nullptr);
  // Missing outputs or a zero limit touch nothing.
  char* untouched = INIBuffer;
  INIFindStartEnd("timeout=", &untouched, nullptr, 10);
  INIFindStartEnd("timeout=", &untouched, &end, 0);
  EXPECT_EQ(untouched, INIBuffer);
}

struct SetCase {
  const char* before;
  const char* key;
  const char* value;
  const char* after;
};

TEST_F(IniKeysTest, SetStringReplacesInPlaceOrAppends) {
  const SetCase cases[] = {
      {"", "prompt_on", "1", "prompt_on=1\r\n"},
      {"\r\n", "prompt_on", "1", "\r\nprompt_on=1\r\n"},
      {"a=1\r\nTIMEOUT=45\r\nb=2\r\n", "timeout", "60", "a=1\r\ntimeout=60\r\nb=2\r\n"},
      {"timeout=\r\n", "timeout", "60", "timeout=60\r\n"},
      {"x=1\ntimeout=5\ny=2\n", "timeout", "600", "x=1\ntimeout=600\ny=2\n"},
      {"timeout = 5\r\n", "timeout", "60", "timeout = 5\r\ntimeout=60\r\n"},
      {"xtimeout=5\r\n", "timeout", "60", "xtimeout=5\r\ntimeout=60\r\n"},
      {"timeout=5\r\ntimeout=6\r\n", "timeout", "7", "timeout=7\r\ntimeout=6\r\n"},
      {"timeout=5\ry=1\r", "timeout", "7", "timeout=7\ry=1\r"},
      {"timeout=45\r\n", "timeout", "", "timeout=\r\n"},
  };
  for (const SetCase& c : cases) {
    Hold(c.before);
    INISetString(c.key, c.value);
    EXPECT_EQ(Text(), c.after) << testing::PrintToString(c.before);
  }
}

TEST_F(IniKeysTest, SetIntWritesDecimal) {
  Hold("");
  INISetInt("timeout", -45);
  INISetInt("prompt_on", 2);
  INISetInt("timeout", INT_MIN);
  EXPECT_EQ(Text(), "timeout=-2147483648\r\nprompt_on=2\r\n");
}

TEST_F(IniKeysTest, BufferGrowsOneStepAtMost) {
  const std::string nearlyFull(500, 'x');
  Hold(nearlyFull);
  INISetString("k", std::string(400, 'v').c_str());  // needs 905 bytes
  EXPECT_EQ(BufferSize, 1024u);
  EXPECT_EQ(Text(), nearlyFull + "k=" + std::string(400, 'v') + "\r\n");

  Hold(nearlyFull);
  INISetString("k", std::string(600, 'v').c_str());  // needs 1105 bytes
  EXPECT_EQ(BufferSize, 512u);
  EXPECT_EQ(Text(), nearlyFull);

  // A replacement that outgrows one step is refused as well.
  Hold("k=1\r\n");
  INISetString("k", std::string(1100, 'v').c_str());
  EXPECT_EQ(Text(), "k=1\r\n");
  EXPECT_EQ(stand::Memory().liveBlocks, 1u);
}

TEST_F(IniKeysTest, FailedAllocationLeavesTheBufferAsItWas) {
  const struct {
    std::string before;
    const char* key;
  } cases[] = {{"timeout=5\r\n", "timeout"}, {std::string(500, 'x'), "other"}};
  for (const auto& c : cases) {
    Hold(c.before);
    char* old = INIBuffer;
    stand::FailAllocation(1);
    INISetString(c.key, std::string(100, '9').c_str());
    EXPECT_EQ(INIBuffer, old);
    EXPECT_EQ(Text(), c.before);
    EXPECT_EQ(BufferSize, 512u);
  }
  INICloseFile();
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);
}

TEST_F(IniKeysTest, NothingHappensWithoutBufferKeyOrValue) {
  INISetString("timeout", "5");
  EXPECT_EQ(INIBuffer, nullptr);
  Hold("a=1\r\n");
  INISetString(nullptr, "5");
  INISetString("timeout", nullptr);
  EXPECT_EQ(Text(), "a=1\r\n");
}

}  // namespace
