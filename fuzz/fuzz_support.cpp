#include <stdio.h>
#include <stdlib.h>

#include "fuzz/fuzz.h"
#include "stand/stand.h"
#include "tests/support/stand_test.h"

namespace fuzz {

std::vector<std::string> Split(const uint8_t* data, size_t size, size_t count) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> fields;
  size_t start = 0;
  while (fields.size() + 1 < count) {
    size_t at = input.find(kSeparator, start);
    if (at == std::string::npos) break;
    fields.push_back(input.substr(start, at - start));
    start = at + sizeof kSeparator - 1;
  }
  fields.push_back(start <= input.size() ? input.substr(start) : std::string());
  fields.resize(count);
  return fields;
}

uint32_t Number(const std::string& field, size_t offset, size_t bytes) {
  uint32_t value = 0;
  for (size_t i = 0; i < bytes && offset + i < field.size(); ++i)
    value |= uint32_t(uint8_t(field[offset + i])) << (8 * i);
  return value;
}

void BeginInput() {
  static bool started = false;
  if (!started) {
    stand::Reset();
    started = true;
  } else {
    // Returns every block the last input left with the toolkit (the model table, a
    // settings buffer after a failed open). The disk, the firmware objects and the
    // screen stay: a new disk or screen per input would cost more than the input, and
    // each target writes the files it reads and deletes the regions it draws into.
    stand::ResetMemory();
    stand::ResetClock();
    stand::ResetRecorder();
  }
  ResetToolkitState();
  stand::ClearLog();
  stand::ClearTrace();
  stand::SetSlotImage(0, "/ProgramFiles/Scrapdeck.tap");
  stand::SetSlotDir(0, "/DataFiles");
  stand::SetCurrentSlot(0);
}

void Check(bool condition, const char* what) {
  if (condition) return;
  fprintf(stderr, "fuzz: property broken: %s\n", what);
  abort();
}

size_t LiveBlocks() {
  return stand::Memory().liveBlocks;
}

std::vector<char> Exact(const std::string& text, size_t terminators, bool keepInnerNuls) {
  std::string body = keepInnerNuls ? text : text.substr(0, text.find('\0'));
  std::vector<char> block(body.begin(), body.end());
  block.resize(body.size() + terminators, '\0');
  block.shrink_to_fit();
  return block;
}

}  // namespace fuzz
