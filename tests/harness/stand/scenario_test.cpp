// The scenario language's words: what QuoteWord writes, Words reads back as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "stand/scenario.h"

namespace {

// A word as it stands on a line: nothing in it starts a comment or ends the line.
void ExpectRoundTrip(const std::string& text) {
  const std::string word = stand::QuoteWord(text);
  ASSERT_EQ(word.find_first_of("#\r\n"), std::string::npos) << word;
  const std::vector<std::string> words = stand::Words(word);
  ASSERT_EQ(words.size(), 1u) << word;
  ASSERT_EQ(words[0], text) << word;
}

TEST(ScenarioWords, EveryByteAndPairComesBackAsItWas) {
  ExpectRoundTrip("");
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b)
      ExpectRoundTrip({static_cast<char>(a), static_cast<char>(b)});
  }
}

TEST(ScenarioWords, RandomTextsComeBackAsTheyWere) {
  std::mt19937 random(26);
  // Half the bytes from those the language reads specially, so that they meet often.
  const char bytes[] = " \t\"#\\xrn\r\n\0\x7F\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xED\xA0";
  const std::string special(bytes, sizeof bytes - 1);
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 24, ' ');
    for (char& c : text)
      c = random() % 2 ? special[random() % special.size()] : static_cast<char>(random() % 256);
    ExpectRoundTrip(text);
    // Several words on one line, parted by spaces and tabs.
    const std::vector<std::string> words = {text, "key", text + " " + text};
    const std::string line = stand::QuoteWord(words[0]) + " \t" + stand::QuoteWord(words[1]) + " " +
                             stand::QuoteWord(words[2]);
    ASSERT_EQ(stand::Words(line), words) << line;
  }
}

TEST(ScenarioWords, TextThatNeedsNoEscapeStaysReadable) {
  EXPECT_EQ(stand::QuoteWord("/DataFiles/Film.rec"), "/DataFiles/Film.rec");
  EXPECT_EQ(stand::QuoteWord("/DataFiles/A film.rec"), "\"/DataFiles/A film.rec\"");
  EXPECT_EQ(stand::QuoteWord("Caf\xC3\xA9"), "Caf\xC3\xA9");
  EXPECT_EQ(stand::QuoteWord("a\\x41"), "a\\\\x41");  // a backslash name stays a backslash name
  EXPECT_EQ(stand::QuoteWord("\xC3"), "\\xC3");       // a byte that is not UTF-8
  EXPECT_EQ(stand::QuoteWord("a\tb"), "\"a\tb\"");
}

// Printable ASCII, tabs and UTF-8 stand in a scenario file as they are; control bytes,
// DEL and what is not UTF-8 (overlong forms, surrogates, past U+10FFFF, cut short) not.
TEST(ScenarioWords, PlainText) {
  struct Row {
    const char* text;
    size_t length;
  } rows[] = {
      {"A", 1},
      {" ", 1},
      {"\t", 1},
      {"~", 1},
      {"\x01", 0},
      {"\x1F", 0},
      {"\x7F", 0},
      {"\r", 0},
      {"\xC3\xA9", 2},
      {"\xE2\x82\xAC", 3},
      {"\xF0\x9F\x98\x80", 4},
      {"\xC0\xAF", 0},
      {"\xC1\xBF", 0},
      {"\xE0\x80\xAF", 0},
      {"\xF0\x80\x80\xAF", 0},
      {"\xED\xA0\x80", 0},
      {"\xF4\x90\x80\x80", 0},
      {"\xF5\x80\x80\x80", 0},
      {"\xE2\x82", 0},
      {"\xC3"
       "A",
       0},
      {"\x80", 0},
      {"\xFF", 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(stand::PlainTextAt(r.text, 0), r.length) << r.text;
}

TEST(ScenarioWords, Durations) {
  struct Row {
    const char* text;
    bool ok;
    dword ticks;
  } rows[] = {
      {"5", true, 5},
      {"0x10", true, 16},
      {"30s", true, 3000},
      {"2m", true, 12000},
      {"42949672s", true, 4294967200u},
      {"42949673s", false, 0},
      {"715828m", false, 0},
      {"soon", false, 0},
      {"s", false, 0},
      {"", false, 0},
      {"1h", false, 0},
      {"-1s", false, 0},
  };
  for (const Row& r : rows) {
    dword ticks = 0;
    ASSERT_EQ(stand::ParseDuration(r.text, ticks), r.ok) << r.text;
    EXPECT_EQ(ticks, r.ok ? r.ticks : 0) << r.text;
  }
}

TEST(ScenarioWords, PlainDiskPaths) {
  for (const char* fine :
       {"/DataFiles/Film.rec", "/DataFiles/Films/A film.rec", "/a", "/DataFiles/Caf\xC3\xA9.rec",
        "/DataFiles/..rec", "/DataFiles/a..b", "/a\"b", "/a#b", "/a\\x41", "/a\nb"})
    EXPECT_EQ(stand::CheckPlainDiskPath(fine), "") << fine;
  for (const char* refused : {"", "DataFiles/Film.rec", "/", "//x", "/DataFiles//x", "/DataFiles/",
                              "/./x", "/..", "/DataFiles/../../etc/passwd", "/DataFiles/a/.."})
    EXPECT_NE(stand::CheckPlainDiskPath(refused), "") << refused;
  EXPECT_NE(stand::CheckPlainDiskPath(std::string("/a\0b", 4)), "");
  EXPECT_EQ(stand::CheckPlainDiskPath("/" + std::string(254, 'n')), "");
  EXPECT_NE(stand::CheckPlainDiskPath("/" + std::string(255, 'n')), "");
}

}  // namespace
