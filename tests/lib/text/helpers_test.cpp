// Counting, positions, insertion, deletion, bounded copy, search and cleaning
// of strings that may start with selection bytes and hold UTF-8.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lib/text/text.h"
#include "tests/lib/text/text_test.h"

namespace {

const std::string kEAcute = "\xC3\xA9";

TEST(StrlenUCTest, CountsCharactersOfTheText) {
  const struct {
    std::string str;
    int count;
  } rows[] = {
      {"\x05"
       "Ab" +
           kEAcute,
       3},
      {"", 0},
      {"abc", 3},
      {std::string("\x10\x00\x05xy", 5), 2},
      {"\xE9\xE9", 2},
      {"a\xE2\x82", 3},  // cut-short sequence: single bytes
      {"\xF0\x9F\x98\x80!", 2},
  };
  for (const auto& row : rows) {
    std::vector<char> in = Exact(row.str);
    EXPECT_EQ(strlenUC(in.data()), row.count) << testing::PrintToString(row.str);
  }
  EXPECT_EQ(strlenUC(nullptr), 0);
}

TEST(GetUCPosTest, PointsAtTheNthCharacterOrTheTerminator) {
  const struct {
    std::string str;
    int n;
    size_t offset;
  } rows[] = {
      {"a" + kEAcute + "b", 0, 0},
      {"a" + kEAcute + "b", 2, 3},
      {"a" + kEAcute + "b", 99, 4},
      {"abc", -5, 0},
      {"\x05xyz", 0, 1},
      {std::string("\x10\x00\x05xy", 5), 1, 4},
      {"a\xE2\x82", 2, 2},
  };
  for (const auto& row : rows) {
    std::vector<char> in = Exact(row.str);
    EXPECT_EQ(GetUCPos(in.data(), row.n) - in.data(), ptrdiff_t(row.offset))
        << testing::PrintToString(row.str) << " n=" << row.n;
  }
  EXPECT_EQ(GetUCPos(nullptr, 1), nullptr);
}

TEST(InsertAtTest, InsertsBeforeTheCharacterOrAppends) {
  const std::string ellipsis = "\xE2\x80\xA6";
  const struct {
    std::string str;
    int pos;
    std::string insert, expected;
  } rows[] = {
      {"abc", 0, "X", "Xabc"},
      {"abc", 99, "X", "abcX"},
      {"abc", 3, "XY", "abcXY"},
      {"abc", -2, "X", "Xabc"},
      {"a" + kEAcute + "b", 2, "X", "a" + kEAcute + "Xb"},
      {"\x05"
       "abc",
       0, ellipsis, "\x05" + ellipsis + "abc"},
      {"", 0, "X", "X"},
      {"abc", 1, "", "abc"},
  };
  for (const auto& row : rows) {
    // Exactly the room the caller must give.
    std::vector<char> buffer(row.str.size() + row.insert.size() + 1);
    memcpy(buffer.data(), row.str.c_str(), row.str.size() + 1);
    std::vector<char> insert = Exact(row.insert);
    InsertAt(buffer.data(), row.pos, insert.data());
    EXPECT_EQ(std::string(buffer.data()), row.expected) << row.str << " at " << row.pos;
  }
  char text[] = "abc";
  InsertAt(text, 0, nullptr);
  InsertAt(nullptr, 0, "x");
  EXPECT_STREQ(text, "abc");
}

TEST(DeleteAtTest, RemovesCharactersWithoutReadingPastTheEnd) {
  const struct {
    std::string str;
    int pos, count;
    std::string expected;
  } rows[] = {
      {"abcdef", 1, 2, "adef"},
      {"abcdef", 2, 4, "ab"},
      {"abcdef", 6, 1, "abcdef"},
      {"abcdef", 2, 100, "ab"},  // beyond the end: truncates at pos
      {"abcdef", 5, 2, "abcde"},
      {"abcdef", -3, 1, "bcdef"},
      {"abcdef", 1, 0, "abcdef"},
      {"abcdef", 1, -2, "abcdef"},
      {"a" + kEAcute + "b", 1, 1, "ab"},
      {"a\xE2\x82", 1, 5, "a"},
      {"\x05"
       "abc",
       0, 1,
       "\x05"
       "bc"},
      // A line feed at pos is a character, not a selection.
      {"a\nbc", 1, 1, "abc"},
      {"a\x10\x41\x42z", 1, 1, "a\x41\x42z"},
  };
  for (const auto& row : rows) {
    std::vector<char> buffer = Exact(row.str);
    DeleteAt(buffer.data(), row.pos, row.count);
    EXPECT_EQ(std::string(buffer.data()), row.expected)
        << testing::PrintToString(row.str) << " " << row.pos << "+" << row.count;
  }
  DeleteAt(nullptr, 0, 1);
}

TEST(StrncpyUCTest, CopiesLikeStrncpyAfterTheSelection) {
  const std::string selection("\x10\x00\x05", 3);
  const struct {
    const char* what;
    std::string src;
    dword n;
    std::string expected;  // all n bytes of the destination
  } rows[] = {
      {"long text is cut, no terminator", std::string(300, 'x'), 256, std::string(256, 'x')},
      {"selection, text, zero padding", selection + "abc", 256,
       selection + "abc" + std::string(250, '\0')},
      {"limit inside the selection", selection + "abc", 2, selection.substr(0, 2)},
      {"limit at the selection's end", selection + "abc", 3, selection},
      {"limit of zero", "abc", 0, ""},
      {"cut inside a UTF-8 character", "a" + kEAcute, 2, "a\xC3"},
  };
  for (const auto& row : rows) {
    std::vector<char> src = Exact(row.src);
    std::vector<char> dst(row.n);  // the sanitizer sees a byte written past n
    EXPECT_EQ(strncpyUC(dst.data(), src.data(), row.n), dst.data()) << row.what;
    EXPECT_EQ(std::string(dst.begin(), dst.end()), row.expected) << row.what;
  }
  char dst[4];
  EXPECT_EQ(strncpyUC(nullptr, "a", 4), nullptr);
  EXPECT_EQ(strncpyUC(dst, nullptr, 4), nullptr);
}

TEST(StricstrTest, FindsIgnoringAsciiCase) {
  const struct {
    std::string haystack, needle;
    int offset;  // -1: not found
  } rows[] = {
      {"Timeout=5", "TIMEOUT", 0},
      {"abc", "BC", 1},
      {"abc", "", -1},
      {"abc", "abcd", -1},
      {"xxabab", "AbAb", 2},
      {"aab", "AB", 1},
      {"prompt_on=1\ntimeout=30", "TIMEOUT", 12},
      {kEAcute + "x", kEAcute + "X", 0},
      {"\xC3\x89x", kEAcute, -1},  // only ASCII letters fold
      {"\x05"
       "abc",
       "B", 2},
      {"abc",
       "\x05"
       "C",
       2},
      {"abc", "\x05", -1},  // a needle of selection bytes only is empty
      {"12a", "2A", 1},
      {"ab", "b\x15", -1},
  };
  for (const auto& row : rows) {
    std::vector<char> haystack = Exact(row.haystack);
    std::vector<char> needle = Exact(row.needle);
    const char* found = stricstr(haystack.data(), needle.data());
    EXPECT_EQ(found ? int(found - haystack.data()) : -1, row.offset)
        << row.haystack << " / " << row.needle;
  }
  EXPECT_EQ(stricstr(nullptr, "a"), nullptr);
  EXPECT_EQ(stricstr("a", nullptr), nullptr);
}

TEST(IsLegalCharTest, RefusesByFlag) {
  const struct {
    std::string bytes;
    dword flags;
    bool legal;
  } rows[] = {
      {"\x1B", 1, false},    {"\n", 1, true},        {"\x80", 1, true},  {"\x85", 1, false},
      {"\xC2\x85", 1, true}, {"\x7F", 1, false},     {"\x8A", 1, true},  {"\x91", 1, true},
      {"\x92", 1, true},     {"\x93", 1, false},     {"\x9F", 1, false}, {"\xA0", 1, true},
      {"\n", 2, false},      {"\x8A", 2, false},     {"\r", 2, true},    {"\"", 4, false},
      {"*", 4, false},       {"/", 4, false},        {":", 4, false},    {"<", 4, false},
      {">", 4, false},       {"?", 4, false},        {"\\", 4, false},   {"|", 4, false},
      {"a", 4, true},        {"\x1B", 4, true},      {"~", 8, true},     {" ", 8, true},
      {"\x7F", 8, false},    {"\xC3\xA9", 8, false}, {"\x1F", 8, false}, {"a", 15, true},
      {"\n", 1 | 4, true},   {"?", 1 | 2, true},     {"\n", 0, true},
  };
  for (const auto& row : rows) {
    std::vector<char> in = Exact(row.bytes);
    EXPECT_EQ(isLegalChar(in.data(), row.flags), row.legal)
        << testing::PrintToString(row.bytes) << " flags " << row.flags;
  }
  EXPECT_FALSE(isLegalChar(nullptr, 0));
}

// Every lead byte in the text starts a whole sequence: nothing was cut.
bool EndsOnACharacter(const std::string& text) {
  for (size_t i = 0; i < text.size(); i++) {
    const byte b = byte(text[i]);
    const bool lead = (b & 0xE0) == 0xC0 || (b & 0xF0) == 0xE0 || (b & 0xF8) == 0xF0;
    if (lead && !isUTF8Char(text.c_str() + i, nullptr)) return false;
  }
  return true;
}

TEST(ValidFileNameTest, CleansIntoAtMost127Bytes) {
  std::string eAcutes;
  for (int i = 0; i < 100; i++)
    eAcutes += kEAcute;
  const struct {
    const char* what;
    std::string src;
    dword flags;
    int dstSize;
    std::string expected;
  } rows[] = {
      {"file name characters", "a:b?c", 4, 512, "abc"},
      {"line feed under flags 3", "x\ny", 3, 512, "xy"},
      {"line feed kept under flag 1", "x\ny", 1, 512, "x\ny"},
      {"200 legal bytes", std::string(200, 'k'), 4, 512, std::string(127, 'k')},
      {"two-byte characters stop at 126", eAcutes, 1, 512, eAcutes.substr(0, 126)},
      {"odd start stops at 125", "x" + eAcutes, 1, 512, "x" + eAcutes.substr(0, 124)},
      {"refused lead bytes of a sequence", "a" + kEAcute + "b", 8, 512, "ab"},
      {"source not below the room", "abcd", 0, 4, ""},
      {"source just fits", "abc", 0, 4, "abc"},
      {"empty source", "", 0, 8, ""},
      {"flags 0 keep everything", "a\x01\xFF", 0, 8, "a\x01\xFF"},
  };
  for (const auto& row : rows) {
    std::vector<char> src = Exact(row.src);
    std::vector<char> dst(row.dstSize, '#');
    EXPECT_EQ(ValidFileName(src.data(), row.flags, dst.data(), row.dstSize), dst.data());
    const std::string out(dst.data());
    EXPECT_EQ(out, row.expected) << row.what;
    EXPECT_LE(out.size(), 127u) << row.what;
    EXPECT_TRUE(EndsOnACharacter(out)) << row.what;
  }
  char dst[4] = "xyz";
  EXPECT_EQ(ValidFileName(nullptr, 0, dst, 4), dst);
  EXPECT_STREQ(dst, "");
  strcpy(dst, "xyz");
  ValidFileName("a", 0, dst, 0);  // no room: nothing written
  EXPECT_STREQ(dst, "xyz");
  EXPECT_EQ(ValidFileName("a", 0, nullptr, 4), nullptr);
}

TEST(ValidFileNameTest, AnyByteSoupEndsOnACharacter) {
  // Every mix of a three-byte sequence and refused bytes around the limit.
  const std::string euro = "\xE2\x82\xAC";
  for (int prefix = 120; prefix <= 127; prefix++) {
    for (dword flags : {0u, 1u, 3u, 4u, 15u}) {
      std::string src(prefix, 'a');
      src += euro + "?" + euro + "\x85" + euro;
      std::vector<char> in = Exact(src);
      char dst[512];
      const std::string out(ValidFileName(in.data(), flags, dst, sizeof dst));
      EXPECT_LE(out.size(), 127u) << prefix << " " << flags;
      EXPECT_TRUE(EndsOnACharacter(out)) << prefix << " " << flags;
    }
  }
}

TEST(MakeValidFileNameTest, CleansInPlace) {
  char name[] = "Film: part 1?";
  EXPECT_EQ(MakeValidFileName(name, 4), name);
  EXPECT_STREQ(name, "Film part 1");
  std::vector<char> tooLong = Exact(std::string(512, 'x'));
  MakeValidFileName(tooLong.data(), 0);
  EXPECT_STREQ(tooLong.data(), "");
  std::vector<char> fits = Exact(std::string(511, 'x'));
  MakeValidFileName(fits.data(), 0);
  EXPECT_EQ(std::string(fits.data()), std::string(127, 'x'));
  EXPECT_EQ(MakeValidFileName(nullptr, 0), nullptr);
}

}  // namespace
