#include "core/fmtstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Wrap(const std::string& source, int lineLength, int splitStart, int size = 254,
                 const char* separators = default_separator_list) {
  std::vector<char> out(size > 0 ? size : 1, '#');
  fmtstring(out.data(), size, source.c_str(), lineLength, splitStart, separators);
  return std::string(out.data());
}

struct Example {
  const char* source;
  int lineLength;
  int splitStart;
  int size;
  const char* wrapped;
};

TEST(Fmtstring, WorkedExamples) {
  const Example examples[] = {
      {"Evening News Special", 10, -1, 254, "Evening \nNews Spec-\nial"},
      {"The_Big_Match_Highlights", 10, -1, 254, "The_Big_\nMatch_\nHighlights"},
      {"Hello Big-Days", 10, -1, 254, "Hello \nBig-Days"},
      {"abcdefghijklmnopqrstuvwxyz", 10, -1, 254, "abcdefghi-\njklmnopqr-\nstuvwxyz"},
      {"Short", 10, -1, 254, "Short"},
      {"Documentary", 4, 2, 254, "Doc-\nume-\nnta-\nry"},
      {"Evening News Special", 10, 0, 254, "Evening \nNews \nSpecial"},
      {"Evening News Special", 10, -1, 12, "Evening \nNe"},
      {"Film Night: The Long Road Home Extended Cut", 34, -1, 254,
       "Film Night: The Long Road Home \nExtended Cut"},
      // Edge rows: empty, exactly a line, separator at the line's end, at and
      // just below the split start.
      {"", 10, -1, 254, ""},
      {"abcdefghij", 10, -1, 254, "abcdefghij"},
      {"abcdefghi jk", 10, -1, 254, "abcdefghi \njk"},
      {"abcde fghijk", 10, -1, 254, "abcde \nfghijk"},
      {"abcd efghijk", 10, -1, 254, "abcd efgh-\nijk"},
  };
  for (const auto& e : examples) {
    SCOPED_TRACE(e.source);
    EXPECT_EQ(Wrap(e.source, e.lineLength, e.splitStart, e.size), e.wrapped);
  }
}

TEST(Fmtstring, BadArguments) {
  char out[8] = "xxxxxxx";
  EXPECT_EQ(fmtstring(out, 8, nullptr, 10, -1, " "), out);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(Wrap("Anything", 10, -1, 1), "");
  // Size 0 and a null destination write nothing at all.
  char untouched[4] = "abc";
  fmtstring(untouched, 0, "zzz", 10, -1, " ");
  EXPECT_STREQ(untouched, "abc");
  EXPECT_EQ(fmtstring(nullptr, 10, "zzz", 10, -1, " "), nullptr);
  // No separators at all: hyphenation only.
  EXPECT_EQ(Wrap("abc def ghi", 4, -1, 254, nullptr), "abc-\n de-\nf g-\nhi");
}

TEST(Fmtstring, LineLengthOneStillConsumesText) {
  EXPECT_EQ(Wrap("abc", 1, -1), "a\nb\nc");
  EXPECT_EQ(Wrap("abc", 0, -1), "a\nb\nc");
  EXPECT_EQ(Wrap("abc", -5, -1), "a\nb\nc");
  EXPECT_EQ(Wrap("a b", 1, 0), "a\n \nb");
}

// For every destination size, the output (NUL included) stays inside the
// destination, is a prefix-consistent wrap, and no line exceeds the line length.
TEST(Fmtstring, NeverWritesPastTheDestination) {
  const std::string sources[] = {"Evening News Special", "The_Big_Match_Highlights",
                                 "Film Night: The Long Road Home Extended Cut",
                                 std::string(300, 'x'),
                                 "a b c d e f g h i j k l m n o p q r s t u v w x y z"};
  for (const auto& source : sources) {
    for (int lineLength : {1, 4, 10, 34}) {
      for (int size = 0; size <= static_cast<int>(source.size()) * 3 + 4; ++size) {
        std::vector<char> buffer(size + 16, '#');
        fmtstring(buffer.data() + 8, size, source.c_str(), lineLength, -1, default_separator_list);
        for (int i = 0; i < 8; ++i)
          ASSERT_EQ(buffer[i], '#');
        for (int i = 8 + size; i < size + 16; ++i)
          ASSERT_EQ(buffer[i], '#') << size;
        if (size == 0) continue;
        std::string out(buffer.data() + 8);
        ASSERT_LT(static_cast<int>(out.size()), size);
        size_t start = 0;
        for (size_t nl; (nl = out.find('\n', start)) != std::string::npos; start = nl + 1)
          ASSERT_LE(static_cast<int>(nl - start), lineLength);
        ASSERT_LE(static_cast<int>(out.size() - start), lineLength);
      }
    }
  }
}

TEST(Fmtstring, NeverReadsPastTheSource) {
  // Each source ends exactly at the end of its allocation, so that a read one
  // byte too far is caught under the sanitizers; the result matches the plain call.
  for (const char* text : {"", "a", "Evening News Special", "abcdefghijklmnopqrstuvwxyz"}) {
    std::vector<char> exact(text, text + std::strlen(text) + 1);
    char out[254];
    fmtstring(out, sizeof out, exact.data(), 10, -1, default_separator_list);
    EXPECT_EQ(std::string(out), Wrap(text, 10, -1));
  }
}

}  // namespace
