// Looking up the stand's trace entries by call and numbers.
#ifndef SCRAPDECK_TESTS_SUPPORT_TRACE_H
#define SCRAPDECK_TESTS_SUPPORT_TRACE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "stand/osd.h"
#include "stand/trace.h"

using stand::Call;
using stand::TraceEntry;
using Trace = std::vector<TraceEntry>;

// Stands for any number in the numbers given to Calls.
constexpr int64_t kAny = INT64_MIN;

// The entries of one call whose numbers begin with `numbers` (kAny matching any), in order;
// the OSD trace's unless another is given.
inline Trace Calls(Call call, const std::vector<int64_t>& numbers = {},
                   const Trace& trace = stand::OsdTrace()) {
  Trace found;
  for (const TraceEntry& e : trace)
    if (e.call == call && e.numbers.size() >= numbers.size() &&
        std::equal(numbers.begin(), numbers.end(), e.numbers.begin(),
                   [](int64_t want, int64_t have) { return want == kAny || want == have; }))
      found.push_back(e);
  return found;
}

// The texts of the text calls (PutS), in order.
inline std::vector<std::string> Texts(const Trace& trace = stand::OsdTrace()) {
  std::vector<std::string> texts;
  for (const TraceEntry& e : Calls(Call::PutS, {}, trace))
    texts.push_back(e.text);
  return texts;
}

// How many entries of the trace equal `entry`.
inline size_t Count(const TraceEntry& entry, const Trace& trace = stand::OsdTrace()) {
  return size_t(std::count(trace.begin(), trace.end(), entry));
}

// Succeeds when the trace holds `entry`; the failure shows the trace.
inline ::testing::AssertionResult Traced(const TraceEntry& entry,
                                         const Trace& trace = stand::OsdTrace()) {
  if (Count(entry, trace)) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << stand::Line(entry) << " is not in the trace:";
  for (const TraceEntry& e : trace)
    failure << "\n  " << stand::Line(e);
  return failure;
}

#endif
