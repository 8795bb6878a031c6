#include "tests/support/trace.h"

#include <algorithm>

Trace Calls(Call call, const std::vector<int64_t>& numbers, const Trace& trace) {
  Trace found;
  for (const TraceEntry& e : trace)
    if (e.call == call && e.numbers.size() >= numbers.size() &&
        std::equal(numbers.begin(), numbers.end(), e.numbers.begin()))
      found.push_back(e);
  return found;
}

std::vector<std::string> Texts(const Trace& trace) {
  std::vector<std::string> texts;
  for (const TraceEntry& e : Calls(Call::PutS, {}, trace))
    texts.push_back(e.text);
  return texts;
}

size_t Count(const TraceEntry& entry, const Trace& trace) {
  return size_t(std::count(trace.begin(), trace.end(), entry));
}

::testing::AssertionResult Traced(const TraceEntry& entry, const Trace& trace) {
  if (Count(entry, trace)) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << stand::Line(entry) << " is not in the trace:";
  for (const TraceEntry& e : trace)
    failure << "\n  " << stand::Line(e);
  return failure;
}
