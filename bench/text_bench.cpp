// Conversion to UTF-8 of 1 KiB texts: single-byte (ISO/IEC 8859-9), already
// UTF-8, and two-byte Big5.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/support.h"
#include "lib/text/text.h"
#include "stand/stand.h"

namespace {

using bench::kTextBytes;

void Convert(benchmark::State& state, const std::string& src) {
  std::vector<char> dst(src.size() * 3 + 3);
  for (auto _ : state) {
    benchmark::DoNotOptimize(StrToUTF8(src.c_str(), dst.data(), 9));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kTextBytes));
}

void BM_StrToUTF8_Latin5(benchmark::State& state) {
  Convert(state, bench::Latin5Text());
}

void BM_StrToUTF8_UTF8(benchmark::State& state) {
  Convert(state, bench::Utf8Text());
}

void BM_StrToUTF8_Big5(benchmark::State& state) {
  Convert(state, bench::Big5Text());
}

BENCHMARK(BM_StrToUTF8_Latin5);
BENCHMARK(BM_StrToUTF8_UTF8);
BENCHMARK(BM_StrToUTF8_Big5);

}  // namespace

int main(int argc, char** argv) {
  stand::Reset();  // the host table: TAP_MemCpy
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
