// Conversion to UTF-8, the UTF-8 primitives, the encoding census and the
// selection bytes.
#include <gtest/gtest.h>

#include <string>

#include "lib/text/text.h"
#include "tests/lib/text/text_test.h"
#include "tests/support/stand_test.h"

namespace {

class StrToUTF8Test : public StandTest {
 protected:
  // Converts src from an exactly sized block into an exactly sized output of
  // three bytes per input byte plus the terminator. Input bytes are counted up
  // to the terminator the conversion sees (a 0x14 text reads to its 0x00 0x00).
  std::string Convert(const std::string& src, byte table, bool* result = nullptr) {
    std::vector<char> in = Exact(src);
    std::vector<char> out(src.size() * 3 + 1, '\x7F');
    const bool converted = StrToUTF8(in.data(), out.data(), table);
    if (result) *result = converted;
    return std::string(out.data());
  }
};

struct ConvertRow {
  const char* what;
  std::string src;
  byte table;
  std::string expected;
  bool result;
};

TEST_F(StrToUTF8Test, ConvertsByTheSelectedTable) {
  const ConvertRow rows[] = {
      {"Latin-5 by default", "Caf\xE9", 9, "Caf\xC3\xA9", true},
      {"plain ASCII needs no table", "Cafe", 9, "Cafe", false},
      {"UTF-8 passes unchanged", "Caf\xC3\xA9", 9, "Caf\xC3\xA9", false},
      {"UTF-8 passes whatever the table", "Caf\xC3\xA9", 0, "Caf\xC3\xA9", false},
      {"UTF-8 and Latin-1 mixed", "\xC3\xA9\xE9", 1, "\xC3\xA9\xC3\xA9", true},
      {"empty string", "", 9, "", true},
      {"selection 0x05 is 8859-9", "\x05\xDD", 1, "\xC4\xB0", true},
      {"selection 0x01 is 8859-5", "\x01\xB0", 9, "\xD0\x90", true},
      {"selection 0x0B is 8859-15", "\x0B\xA4", 9, "\xE2\x82\xAC", true},
      {"selection 0x10 names the part", std::string("\x10\x00\x02\xA3", 4), 9, "\xC5\x81", true},
      {"selection 0x10 with a zero part ends", std::string("\x10\x00\x00\xA4", 4), 9, "", false},
      {"selection 0x1F keeps the default", "\x1F\x01\xE9", 1, "\xC3\xA9", true},
      {"other selection skipped", "\x0C\xE9", 1, "\xC3\xA9", true},
      {"selection 0x15 copies raw", "\x15\xE9\xFFx", 9, "\xE9\xFFx", true},
      {"C1 bytes keep their value", "\x80\x9F", 9, "\xC2\x80\xC2\x9F", true},
      {"6937 composes e acute", "\xC2\x65", 0, "\xC3\xA9", true},
      {"6937 composes y diaeresis", "\xC8y", 0, "\xC3\xBF", true},
      {"6937 drops a pair not listed", "a\xC5\x61z", 0, "az", true},
      {"6937 euro sign", "\xA4", 0, "\xE2\x82\xAC", true},
      {"6937 without composition", "\xC2\x65", 12, "\xCC\x81\x65", true},
      {"unassigned byte ends the text", "a\xA4z", 7, "a", true},
      {"8859-7 drachma sign unassigned", "\xA5", 7, "", true},
      {"8859-11 unassigned byte", "x\xDBy", 11, "x", true},
      {"truncated UTF-8 at the end is Latin-1", "a\xE2\x82", 1, "a\xC3\xA2\xC2\x82", true},
  };
  for (const ConvertRow& row : rows) {
    bool result = !row.result;
    EXPECT_EQ(Convert(row.src, row.table, &result), row.expected) << row.what;
    EXPECT_EQ(result, row.result) << row.what;
  }
}

TEST_F(StrToUTF8Test, TwoByteText) {
  const ConvertRow rows[] = {
      {"Big5 pair", std::string("\x14\xA4\x40\x00\x00", 5), 9, "\xE4\xB8\x80", true},
      {"16-bit code point", std::string("\x14\x00\x41\x00\x42\x00\x00", 7), 9, "AB", true},
      {"Big5 code not in the table", std::string("\x14\xA3\xC0\x00\x00", 5), 9, "*", true},
      {"lead 0xC8 is no Big5 lead", std::string("\x14\xC8\x40\x00\x00", 5), 9, "\xEC\xA1\x80",
       true},
      {"Big5 code with U+FFFD", std::string("\x14\xA1\x5A\x00\x00", 5), 9, "\xEF\xBF\xBD", true},
      {"odd length drops the lone byte", "\x14\xA4\x40\x41", 9, "\xE4\xB8\x80", true},
      {"a single byte text", "\x14\x41", 9, "", true},
      {"no text, only the closing pair", std::string("\x14\x00", 2), 9, "", true},
  };
  for (const ConvertRow& row : rows) {
    bool result = false;
    // Room as for the bytes up to the closing pair.
    EXPECT_EQ(Convert(row.src, row.table, &result), row.expected) << row.what;
    EXPECT_TRUE(result) << row.what;
  }
}

TEST_F(StrToUTF8Test, StopsAtTheTerminatorInsideASelectionOrPair) {
  // Each input sits at the very end of its block; the sanitizer catches a read
  // beyond it. The outputs are open; they must be terminated.
  const ConvertRow rows[] = {
      {"0x10 with one byte after it", "\x10\x41", 9, "", false},
      {"0x10 0x00 with the part missing", std::string("\x10\x00", 2), 9, "", false},
      {"0x1F alone", "\x1F", 9, "", false},
      {"diacritic before the terminator", "a\xC2", 0, "a", true},
      {"lone diacritic", "\xC3", 0, "", true},
      {"three-byte sequence cut short", "\xE2\x82", 9, "\xC3\xA2\xC2\x82", true},
  };
  for (const ConvertRow& row : rows) {
    bool result = !row.result;
    EXPECT_EQ(Convert(row.src, row.table, &result), row.expected) << row.what;
    EXPECT_EQ(result, row.result) << row.what;
  }
}

TEST_F(StrToUTF8Test, NullArgumentsWriteNothing) {
  char out[4] = "xyz";
  EXPECT_FALSE(StrToUTF8(nullptr, out, 9));
  EXPECT_STREQ(out, "xyz");
  EXPECT_FALSE(StrToUTF8("abc", nullptr, 9));
}

TEST_F(StrToUTF8Test, EveryByteOfEveryTableFitsThreeBytesAndMatchesItsTable) {
  for (int table = 0; table <= 17; table++) {
    for (int b = 0x80; b <= 0xFF; b++) {
      if (table == 0 && b >= 0xC0 && b <= 0xCF) continue;  // diacritics
      const dword cp = b < 0xA0 ? dword(b) : UTFLookupTable(byte(table))[b - 0xA0];
      char expected[5] = {};
      if (cp) UTF32ToUTF8(cp, expected, nullptr);
      EXPECT_EQ(Convert(std::string(1, char(b)), byte(table)), expected)
          << "table " << table << " byte " << b;
    }
  }
}

TEST(UTF8Test, EncodesCodePoints) {
  const struct {
    dword cp;
    std::string bytes;
  } rows[] = {
      {0x41, "A"},
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0xE9, "\xC3\xA9"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0x20AC, "\xE2\x82\xAC"},
      {0xD800, "\xED\xA0\x80"},  // surrogates are encoded like any value
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x1F600, "\xF0\x9F\x98\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& row : rows) {
    char out[4];
    byte length = 0;
    EXPECT_EQ(UTF32ToUTF8(row.cp, out, &length), row.bytes.size()) << row.cp;
    EXPECT_EQ(length, row.bytes.size()) << row.cp;
    EXPECT_EQ(std::string(out, length), row.bytes) << row.cp;
    EXPECT_EQ(UTF32ToUTF8(row.cp, nullptr, nullptr), row.bytes.size()) << row.cp;
  }
  char zero[2] = {'x', 'y'};
  EXPECT_EQ(UTF32ToUTF8(0, zero, nullptr), 1);
  EXPECT_EQ(zero[0], 0);
  EXPECT_EQ(zero[1], 'y');  // no terminator written
}

TEST(UTF8Test, EveryCodePointRoundTrips) {
  for (dword cp = 0; cp <= 0x10FFFF; cp++) {
    char buffer[5] = {};
    const byte written = UTF32ToUTF8(cp, buffer, nullptr);
    byte length = 0;
    const dword decoded = UTF8ToUTF32(buffer, &length);
    if (decoded != cp || length != written) {
      FAIL() << "code point " << cp << " decodes to " << decoded << " with length " << int(length);
    }
    ASSERT_EQ(isUTF8Char(buffer, &length), written > 1) << cp;
    ASSERT_EQ(length, written) << cp;
  }
}

TEST(UTF8Test, DecodesLeadBytesThatStartNoSequenceAsThemselves) {
  const struct {
    const char* what;
    std::string bytes;
    dword cp;
    byte length;
  } rows[] = {
      {"Latin-1 before a letter", "\xE9x", 0xE9, 1},
      {"stray continuation byte", "\x80", 0x80, 1},
      {"two-byte lead at the end", "\xC3", 0xC3, 1},
      {"three-byte sequence cut short", "\xE2\x82", 0xE2, 1},
      {"four-byte sequence cut short", "\xF0\x9F\x98", 0xF0, 1},
      {"0xF8 lead", "\xF8\x80\x80\x80\x80", 0xF8, 1},
      {"overlong form accepted", "\xC0\x80", 0, 2},
      {"ASCII", "A", 'A', 1},
  };
  for (const auto& row : rows) {
    std::vector<char> in = Exact(row.bytes);
    byte length = 0;
    EXPECT_EQ(UTF8ToUTF32(in.data(), &length), row.cp) << row.what;
    EXPECT_EQ(length, row.length) << row.what;
    EXPECT_EQ(isUTF8Char(in.data(), &length), row.length > 1) << row.what;
    EXPECT_EQ(length, row.length) << row.what;
  }
  byte length = 9;
  EXPECT_EQ(UTF8ToUTF32(nullptr, &length), 0u);
  EXPECT_EQ(length, 1);
  length = 9;
  EXPECT_FALSE(isUTF8Char(nullptr, &length));
  EXPECT_EQ(length, 1);
}

TEST(StringEncodingTest, TellsAnsiFromUTF8) {
  const struct {
    const char* str;
    dword ansi, utf8;
  } rows[] =
      {
          {"\xE9", 1, 0},     {"\xC3\xA9", 0, 1}, {"\xC3\xA9\xE9", 1, 1}, {"abc", 0, 0},
          {"", 0, 0},         {"\x9F", 0, 0},     {"\x05\xE9", 1, 0},     {"\x15\xC3\xA9", 0, 1},
          {"\xE2\x82", 1, 0},  // cut short: two Latin bytes, one of them >= 0xA0
      };
  for (const auto& row : rows) {
    std::vector<char> in = Exact(row.str);
    dword ansi = 7, utf8 = 7;
    GetStringEncoding(in.data(), &ansi, &utf8);
    EXPECT_EQ(ansi, row.ansi) << Str(row.str);
    EXPECT_EQ(utf8, row.utf8) << Str(row.str);
    GetStringEncoding(in.data(), nullptr, nullptr);
  }
  dword ansi = 7, utf8 = 7;
  GetStringEncoding(nullptr, &ansi, &utf8);
  EXPECT_EQ(ansi, 0u);
  EXPECT_EQ(utf8, 0u);
}

TEST(SkipCharTableBytesTest, SkipsTheSelection) {
  const struct {
    std::string str;
    size_t skipped;
  } rows[] = {
      {"abc", 0},
      {"", 0},
      {std::string("\x10\x00\x05x", 4), 3},
      {"\x1F\x01x", 2},
      {"\x15x", 1},
      {"\x01x", 1},
      {"\x0Ax", 1},
      // Cut short by the terminator: stop on it.
      {"\x10\x41", 2},
      {std::string("\x10\x00", 2), 2},
      {"\x1F", 1},
      {"\x05", 1},
  };
  for (const auto& row : rows) {
    std::vector<char> in = Exact(row.str);
    EXPECT_EQ(SkipCharTableBytes(in.data()) - in.data(), ptrdiff_t(row.skipped))
        << testing::PrintToString(row.str);
  }
  EXPECT_EQ(SkipCharTableBytes(nullptr), nullptr);
}

}  // namespace
