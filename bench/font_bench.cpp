// Anti-aliased text: one 34-character line of the 14-pixel standard font drawn with
// FMUC_PutStringAA, over a solid background and blended onto the screen, and the
// same line drawn by the peer that rasterises every glyph with FreeType at each
// call and by the one that keeps them in FreeType's cache. The counters give the time
// per inked glyph pixel (coverage above 0). The renderer's time is its own drawing,
// without the firmware's box calls it makes (timed apart, see below), so that it
// compares with the peers' drawing into a buffer.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "bench/peer.h"
#include "bench/support.h"
#include "lib/font/font.h"

namespace {

using bench::kLine;
constexpr dword kRegionWidth = SCREEN_WIDTH;
constexpr dword kRegionHeight = 40;
constexpr dword kX = 10, kY = 5, kMaxX = kRegionWidth - 11;  // where the line goes

FMUC_Font font{};
word region = 0;
int64_t inkedPixels = 0;  // per line

// The firmware's box calls that FMUC_PutStringAA makes around its drawing (fill, save
// and restore of the box; the peers, drawing into a buffer, make none) are timed
// apart: their entries in the host table are swapped for ones that time the stand's
// own and add the time up, and each line's time is its whole time less theirs, the
// renderer's own drawing. Their time is given as the counter box_calls_ns.
using Clock = std::chrono::steady_clock;
Clock::duration boxTime{};
decltype(TAP_Osd_FillBox) standFillBox = nullptr;
decltype(TAP_Osd_SaveBox) standSaveBox = nullptr;
decltype(TAP_Osd_RestoreBox) standRestoreBox = nullptr;

template <typename Call>
auto Timed(Call call) {
  const Clock::time_point start = Clock::now();
  auto result = call();
  boxTime += Clock::now() - start;
  return result;
}
int TimedFillBox(word r, dword x, dword y, dword width, dword height, dword colour) {
  return Timed([&] { return standFillBox(r, x, y, width, height, colour); });
}
byte* TimedSaveBox(word r, dword x, dword y, dword width, dword height) {
  return Timed([&] { return standSaveBox(r, x, y, width, height); });
}
void TimedRestoreBox(word r, dword x, dword y, dword width, dword height, const void* pixels) {
  Timed([&] {
    standRestoreBox(r, x, y, width, height, pixels);
    return 0;
  });
}

void Draw(benchmark::State& state, dword backColour) {
  Clock::duration boxes{};
  for (auto _ : state) {
    // The screen beneath is the same for every line.
    standFillBox(region, 0, 0, kRegionWidth, kRegionHeight, 0xFF202040);
    boxTime = {};
    const Clock::time_point start = Clock::now();
    FMUC_PutStringAA(region, kX, kY, kMaxX, kLine, 0xFFFFFFFF, backColour, &font, FMUC_FIT_CUT,
                     FMUC_ALIGN_LEFT, 1.0f);
    const Clock::duration whole = Clock::now() - start;
    state.SetIterationTime(std::chrono::duration<double>(whole - boxTime).count());
    boxes += boxTime;
  }
  state.counters["inked_px"] = double(inkedPixels);
  state.counters["box_calls_ns"] =
      double(std::chrono::duration_cast<std::chrono::nanoseconds>(boxes).count()) /
      double(state.iterations());
  state.counters["time_per_px"] =
      benchmark::Counter(double(inkedPixels) * double(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PutStringAA_SolidBack(benchmark::State& state) {
  Draw(state, 0xFF181818);
}
void BM_PutStringAA_OverScreen(benchmark::State& state) {
  Draw(state, 0);
}

// The peers draw into a buffer of the region's size, as the renderer draws into the box it
// saved. A warmed peer draws its line once before it is timed.
template <typename Peer>
void DrawWithPeer(benchmark::State& state, bool warm) {
  Peer peer;
  if (!peer.Open(14)) {
    state.SkipWithError("no FreeType face");
    return;
  }
  std::vector<uint32_t> pixels(kRegionWidth * kRegionHeight);
  if (warm) peer.Draw(pixels.data(), kRegionWidth, kRegionHeight, 10, 5, kLine, 0xFFFFFFFF);
  int covered = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::fill(pixels.begin(), pixels.end(), 0xFF202040);
    state.ResumeTiming();
    covered = peer.Draw(pixels.data(), kRegionWidth, kRegionHeight, 10, 5, kLine, 0xFFFFFFFF);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.counters["inked_px"] = double(covered);
}
void BM_FreeTypePeer(benchmark::State& state) {
  DrawWithPeer<bench::FreeTypePeer>(state, false);
}
// The peer with FreeType's glyph cache, warmed by its first line.
void BM_FreeTypeCachedPeer(benchmark::State& state) {
  DrawWithPeer<bench::FreeTypeCachedPeer>(state, true);
}

BENCHMARK(BM_PutStringAA_SolidBack)->UseManualTime();
BENCHMARK(BM_PutStringAA_OverScreen)->UseManualTime();
BENCHMARK(BM_FreeTypePeer);
BENCHMARK(BM_FreeTypeCachedPeer);

}  // namespace

int main(int argc, char** argv) {
  stand::Reset();
  if (!bench::InstallFont("Calibri_14.ufnt") || !FMUC_LoadFontFile("Calibri_14.ufnt", &font))
    return 1;
  region = TAP_Osd_Create(0, 0, kRegionWidth, kRegionHeight, 0, 0);
  byte length = 1;
  for (const char* p = kLine; *p; p += length) {
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(&font, p, &length);
    for (dword i = 0; glyph && i < dword(glyph->Width) * glyph->Height; ++i)
      inkedPixels += glyph->GlyphData[i] != 0;
  }
  standFillBox = TAP_Osd_FillBox;
  standSaveBox = TAP_Osd_SaveBox;
  standRestoreBox = TAP_Osd_RestoreBox;
  TAP_Osd_FillBox = TimedFillBox;
  TAP_Osd_SaveBox = TimedSaveBox;
  TAP_Osd_RestoreBox = TimedRestoreBox;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  FMUC_FreeFontFile(&font);
  return 0;
}
