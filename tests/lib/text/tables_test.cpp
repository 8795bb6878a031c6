// The code-page and Big5 tables, checked entry by entry against the C library's
// converters.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "lib/text/text.h"
#include "tests/lib/text/text_test.h"

namespace {

#define SKIP_WITHOUT(decoder, name) \
  if (!(decoder).ok()) GTEST_SKIP() << "the C library has no converter " << (name)

struct PartTable {
  int part;
  const word* table;
};

const PartTable kParts[] = {
    {1, UTFLookupISO8859_1},   {2, UTFLookupISO8859_2},   {3, UTFLookupISO8859_3},
    {4, UTFLookupISO8859_4},   {5, UTFLookupISO8859_5},   {6, UTFLookupISO8859_6},
    {7, UTFLookupISO8859_7},   {8, UTFLookupISO8859_8},   {9, UTFLookupISO8859_9},
    {10, UTFLookupISO8859_10}, {11, UTFLookupISO8859_11}, {13, UTFLookupISO8859_13},
    {14, UTFLookupISO8859_14}, {15, UTFLookupISO8859_15}, {16, UTFLookupISO8859_16},
};

TEST(CodePageTables, Iso8859PartsAgreeWithTheCLibrary) {
  for (const PartTable& part : kParts) {
    const std::string name = "ISO-8859-" + std::to_string(part.part);
    CharsetDecoder decoder(name.c_str());
    SKIP_WITHOUT(decoder, name);
    for (int b = 0xA0; b <= 0xFF; b++) {
      std::vector<uint32_t> expected = decoder.Decode(std::string(1, char(b)));
      uint32_t codePoint = expected.size() == 1 ? expected[0] : 0;
      // 8859-7 as of 1987: the euro, drachma and ypogegrammeni signs came in 2003.
      if (part.part == 7 && (b == 0xA4 || b == 0xA5 || b == 0xAA)) {
        EXPECT_NE(codePoint, 0u) << "the C library knows the 2003 form";
        codePoint = 0;
      }
      EXPECT_EQ(part.table[b - 0xA0], codePoint) << name << " byte 0x" << std::hex << b;
    }
  }
}

TEST(CodePageTables, TableNumbersPickTheirTables) {
  for (const PartTable& part : kParts)
    EXPECT_EQ(UTFLookupTable(byte(part.part)), part.table);
  for (int number : {0, 12, 17, 100, 255})
    EXPECT_EQ(UTFLookupTable(byte(number)), UTFLookupISO6937);
}

TEST(CodePageTables, Iso6937IsTheCLibrarysTableWithTheBroadcastChanges) {
  CharsetDecoder decoder("ISO_6937");
  SKIP_WITHOUT(decoder, "ISO_6937");
  // Where the broadcast form departs from ISO/IEC 6937 as the C library has it.
  const std::map<int, word> broadcast = {
      {0xA4, 0x20AC}, {0xD0, 0x2015}, {0xE2, 0x0110}, {0xF3, 0x03B4}};
  for (int b = 0xA0; b <= 0xFF; b++) {
    const word entry = UTFLookupISO6937[b - 0xA0];
    if (b >= 0xC1 && b <= 0xCF) {
      // Diacritics stand alone in the table as combining marks (0xCC is unassigned).
      if (b == 0xC9 || b == 0xCC) {
        EXPECT_EQ(entry, 0) << std::hex << b;
      } else {
        EXPECT_GE(entry, 0x0300) << std::hex << b;
        EXPECT_LE(entry, 0x036F) << std::hex << b;
      }
      continue;
    }
    auto expected = decoder.Decode(std::string(1, char(b)));
    word codePoint = expected.size() == 1 ? word(expected[0]) : 0;
    if (broadcast.count(b)) codePoint = broadcast.at(b);
    EXPECT_EQ(entry, codePoint) << "byte 0x" << std::hex << b;
  }
}

TEST(CodePageTables, DiacriticListComposesEveryLatin1LetterWithTheSevenMarks) {
  CharsetDecoder decoder("ISO_6937");
  SKIP_WITHOUT(decoder, "ISO_6937");
  ASSERT_EQ(strlen(UTFDiacriticPairs), size_t(UTF_DIACRITIC_GROUPS * 3));
  ASSERT_EQ(strlen(UTFDiacriticLetters), size_t(UTF_DIACRITIC_GROUPS * 3));
  const std::set<int> marks = {0xC1, 0xC2, 0xC3, 0xC4, 0xC8, 0xCA, 0xCB};
  int previous = 0;
  bool lowerSeen = false;
  for (int g = 0; g < UTF_DIACRITIC_GROUPS; g++) {
    const std::string pair(UTFDiacriticPairs + g * 3, 2);
    EXPECT_EQ(UTFDiacriticPairs[g * 3 + 2], ' ');
    EXPECT_EQ(UTFDiacriticLetters[g * 3 + 2], ' ');
    EXPECT_TRUE(marks.count(byte(pair[0]))) << g;
    const dword letter = UTF8ToUTF32(UTFDiacriticLetters + g * 3, nullptr);
    EXPECT_EQ(decoder.Decode(pair), std::vector<uint32_t>{letter}) << "group " << g;
    // Upper case (U+00C0..U+00DE) first, each case in code point order.
    const bool lower = letter >= 0xE0;
    EXPECT_TRUE(lower || !lowerSeen) << g;
    if (lower && !lowerSeen) previous = 0;
    lowerSeen = lowerSeen || lower;
    EXPECT_GT(int(letter), previous) << g;
    previous = int(letter);
  }
  // Completeness: every letter of U+00C0..U+00FF made of a base letter and one
  // of the seven marks is in the list.
  int composable = 0;
  for (uint32_t cp = 0xC0; cp <= 0xFF; cp++) {
    for (int mark : marks) {
      for (int base = 'A'; base <= 'z'; base++) {
        const std::string pair = {char(mark), char(base)};
        if (decoder.Decode(pair) == std::vector<uint32_t>{cp}) composable++;
      }
    }
  }
  EXPECT_EQ(composable, UTF_DIACRITIC_GROUPS);
}

// Every code the Big5 table must hold, in ascending order.
std::vector<word> ExpectedBig5Codes() {
  std::vector<word> codes;
  for (int lead = 0xA1; lead <= 0xF9; lead++) {
    if (lead == 0xC8) continue;
    for (int trail = 0x40; trail <= 0xFE; trail++) {
      if (trail > 0x7E && trail < 0xA1) continue;
      const int code = lead << 8 | trail;
      if ((code >= 0xA3C0 && code <= 0xA3FE) || (code >= 0xC7FD && code <= 0xC7FE) ||
          code >= 0xF9D6) {
        continue;
      }
      codes.push_back(word(code));
    }
  }
  return codes;
}

const std::set<int> kReplacedBig5 = {0xA15A, 0xA1C3, 0xA1C5, 0xA1FE, 0xA240, 0xA2CC, 0xA2CE};

TEST(Big5Table, HoldsExactlyTheBig5CodesInAscendingOrder) {
  std::vector<word> codes;
  for (int i = 0; i < BIG5_TRANSLATION_RECORDS; i++)
    codes.push_back(Big5Translation[i].Big5);
  EXPECT_EQ(codes, ExpectedBig5Codes());  // sorted, unique, nothing missing or extra
  EXPECT_EQ(Big5Translation[BIG5_TRANSLATION_RECORDS].Big5, 0);
  EXPECT_EQ(Big5Translation[BIG5_TRANSLATION_RECORDS].Unicode, 0);
}

TEST(Big5Table, MappingsAgreeWithTheCLibrary) {
  CharsetDecoder decoder("BIG5");
  SKIP_WITHOUT(decoder, "BIG5");
  for (int i = 0; i < BIG5_TRANSLATION_RECORDS; i++) {
    const int code = Big5Translation[i].Big5;
    uint32_t expected = 0xFFFD;
    if (!kReplacedBig5.count(code)) {
      auto decoded = decoder.Decode({char(code >> 8), char(code & 0xFF)});
      ASSERT_EQ(decoded.size(), 1u) << std::hex << code;
      expected = decoded[0];
    }
    EXPECT_EQ(Big5Translation[i].Unicode, expected) << "code 0x" << std::hex << code;
  }
}

TEST(Big5Table, LookupFindsEveryRecordAndNothingElse) {
  for (int i = 0; i < BIG5_TRANSLATION_RECORDS; i++) {
    ASSERT_EQ(Big5ToUnicode(Big5Translation[i].Big5), Big5Translation[i].Unicode);
  }
  EXPECT_EQ(Big5ToUnicode(0xA440), 0x4E00);
  for (int code : kReplacedBig5)
    EXPECT_EQ(Big5ToUnicode(word(code)), 0xFFFD) << std::hex << code;
  for (int code : {0xA3C0, 0xA3FE, 0xC7FD, 0xC840, 0xC8A1, 0xC8FE, 0xF9D6, 0xF9FE, 0xA17F, 0xA1A0,
                   0xA13F, 0x0000, 0xFFFF}) {
    EXPECT_EQ(Big5ToUnicode(word(code)), 0) << std::hex << code;
  }
}

}  // namespace
