// Encoded strings on arbitrary bytes: conversion to UTF-8, the encoding census and
// the string helpers, each on a C string at the very end of its own heap block (a
// selection or a two-byte text cut by the terminator included), and the conversion
// of a broadcast field of known length that may hold zero bytes.
#include <string.h>

#include "fuzz/fuzz.h"
#include "lib/text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // text #|# second text (needle, insert) #|# numbers (table, positions, counts, limit)
  std::vector<std::string> f = fuzz::Split(data, size, 3);
  const std::string& numbers = f[2];
  fuzz::BeginInput();  // the conversion copies with the host's TAP_MemCpy
  // As the plug-in's own callers hand them over: C strings, cut at their first NUL
  // even inside a selection or a two-byte text.
  std::vector<char> text = fuzz::Exact(f[0]);
  std::vector<char> other = fuzz::Exact(f[1]);
  const size_t bytes = strlen(text.data());
  const char* end = text.data() + bytes;
  auto inside = [&](const char* p) { return p >= text.data() && p <= end; };

  for (byte table : {byte(0), byte(9), byte(fuzz::Number(numbers, 0, 1))}) {
    std::vector<char> out(3 * bytes + 1);
    StrToUTF8(text.data(), out.data(), table);
    fuzz::Check(memchr(out.data(), 0, out.size()) != nullptr, "the conversion is terminated");
  }

  // The whole field, zero bytes and all, as a broadcast text of known length.
  {
    std::vector<char> field = fuzz::Exact(f[0], 1, true);
    std::vector<char> out(3 * f[0].size() + 1);
    StrToUTF8Length(field.data(), static_cast<dword>(f[0].size()), out.data(),
                    byte(fuzz::Number(numbers, 0, 1)));
    fuzz::Check(memchr(out.data(), 0, out.size()) != nullptr, "a field's conversion is terminated");
  }

  dword hasAnsi = 2, hasUTF8 = 2;
  GetStringEncoding(text.data(), &hasAnsi, &hasUTF8);
  fuzz::Check(inside(SkipCharTableBytes(text.data())), "selection skip stays in the text");

  const int characters = strlenUC(text.data());
  fuzz::Check(characters >= 0 && size_t(characters) <= bytes, "a character is at least a byte");
  const int pos = static_cast<int>(fuzz::Number(numbers, 1, 1)) - 8;
  const int count = static_cast<int>(fuzz::Number(numbers, 2, 1)) - 8;
  fuzz::Check(inside(GetUCPos(text.data(), pos)), "a character position is in the text");
  fuzz::Check(inside(AdvanceUC(text.data(), count)), "stepping stays in the text");
  for (const char* p = text.data(); p < end; ++p) {
    if (!*p) continue;
    byte n = 0;
    UTF8ToUTF32(p, &n);
    fuzz::Check(n >= 1 && n <= 4 && n <= strlen(p), "a character ends before the terminator");
    isUTF8Char(p, &n);
    isLegalChar(p, LC_CONTROL | LC_LINEBREAK | LC_FILENAME | LC_ASCII);
  }
  const char* found = stricstr(text.data(), other.data());
  if (found) fuzz::Check(inside(found), "a match lies in the haystack");

  // Copies into blocks of exactly the limit.
  const dword limit = fuzz::Number(numbers, 3, 1);
  std::vector<char> copy(limit ? limit : 1);
  strncpyUC(copy.data(), text.data(), limit);
  const dword flags = fuzz::Number(numbers, 4, 1) & 15;
  for (int dstSize : {1, 16, 128, 600}) {
    std::vector<char> valid(dstSize);
    ValidFileName(text.data(), flags, valid.data(), dstSize);
    fuzz::Check(memchr(valid.data(), 0, valid.size()) != nullptr, "a file name is terminated");
  }
  std::vector<char> cleaned = text;
  MakeValidFileName(cleaned.data(), flags);

  // In-place edits: deletion in the text's own block, insertion with exactly the room
  // the caller must give.
  std::vector<char> shortened = text;
  DeleteAt(shortened.data(), pos, count);
  const size_t inserted = strlen(other.data());
  std::vector<char> longer(text.size() + inserted);
  memcpy(longer.data(), text.data(), text.size());
  InsertAt(longer.data(), pos, other.data());
  if (byte(text[0]) >= 0x20)  // no selection bytes
    fuzz::Check(strlen(longer.data()) == bytes + inserted, "an insertion adds the text");

  char utf8[4];
  byte n = 0;
  UTF32ToUTF8(fuzz::Number(numbers, 5, 3), utf8, &n);
  fuzz::Check(n >= 1 && n <= 4, "a code point takes 1 to 4 bytes");
  return 0;
}
