// Looking up the stand's trace entries by call and numbers.
#ifndef SCRAPDECK_TESTS_SUPPORT_TRACE_H
#define SCRAPDECK_TESTS_SUPPORT_TRACE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "stand/osd.h"
#include "stand/trace.h"

using stand::Call;
using stand::TraceEntry;
using Trace = std::vector<TraceEntry>;

// The entries of one call whose numbers begin with `numbers`, in order; the OSD trace's
// unless another is given.
Trace Calls(Call call, const std::vector<int64_t>& numbers = {},
            const Trace& trace = stand::OsdTrace());
// The texts of the text calls (PutS), in order.
std::vector<std::string> Texts(const Trace& trace = stand::OsdTrace());
// How many entries of the trace equal `entry`.
size_t Count(const TraceEntry& entry, const Trace& trace = stand::OsdTrace());
// Succeeds when the trace holds `entry`; the failure shows the trace.
::testing::AssertionResult Traced(const TraceEntry& entry, const Trace& trace = stand::OsdTrace());

#endif
