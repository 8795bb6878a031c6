// Conversion to UTF-8 of 1 KiB texts: single-byte (ISO/IEC 8859-9), already
// UTF-8, and two-byte Big5.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "lib/text/text.h"
#include "stand/stand.h"

namespace {

const size_t kTextBytes = 1024;

// Repeats a sample up to exactly kTextBytes bytes of text after the prefix,
// cutting only between units of unitBytes.
std::string Fill(const std::string& prefix, const std::string& sample, size_t unitBytes) {
  std::string text;
  while (text.size() + unitBytes <= kTextBytes) {
    text += sample.substr(text.size() % sample.size(), unitBytes);
  }
  return prefix + text;
}

void Convert(benchmark::State& state, const std::string& src) {
  std::vector<char> dst(src.size() * 3 + 3);
  for (auto _ : state) {
    benchmark::DoNotOptimize(StrToUTF8(src.c_str(), dst.data(), 9));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kTextBytes));
}

void BM_StrToUTF8_Latin5(benchmark::State& state) {
  // Turkish text: mostly ASCII with a Latin-5 letter every few bytes.
  Convert(state, Fill("", "G\xFCne\xFEli g\xFCnler, \xDDstanbul'da ya\xF0mur ya\xF0\xFDyor. ", 1));
}

void BM_StrToUTF8_UTF8(benchmark::State& state) {
  // Already UTF-8: passes through; two-byte letters mixed with ASCII.
  Convert(state, Fill("",
                      "Gr\xC3\xBC\xC3\x9F"
                      "e aus K\xC3\xB6ln, caf\xC3\xA9 cr\xC3\xA8me. ",
                      1));
}

void BM_StrToUTF8_Big5(benchmark::State& state) {
  // 0x14 selection, 512 Big5 pairs, closing 0x00 0x00 pair.
  std::string pairs;
  for (int i = 0; i < 64; i++) {
    pairs += char(0xA4 + i % 30);
    pairs += char(0x40 + i % 60);
  }
  std::string src = Fill("\x14", pairs, 2);
  src += std::string(2, '\0');
  Convert(state, src);
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
