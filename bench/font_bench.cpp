// Anti-aliased text: one 34-character line of the 14-pixel standard font drawn with
// FMUC_PutStringAA, over a solid background and blended onto the screen, and the
// same line drawn by the peer that rasterises every glyph with FreeType at each
// call and by the one that keeps them in FreeType's cache. The counters give the time
// per inked glyph pixel (coverage above 0). The renderer's time includes the firmware's
// box calls it makes (fill, save, restore), which the peers, drawing into a buffer,
// do not: those calls are timed alone as well, so that bench/run can compare the
// renderer's own drawing with the peers'.
#include <benchmark/benchmark.h>

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
int64_t inkedPixels = 0;              // per line
dword lineWidth = 0, lineHeight = 0;  // the box the line is drawn in

void Draw(benchmark::State& state, dword backColour) {
  for (auto _ : state) {
    // The screen beneath is the same for every line.
    state.PauseTiming();
    TAP_Osd_FillBox(region, 0, 0, kRegionWidth, kRegionHeight, 0xFF202040);
    state.ResumeTiming();
    FMUC_PutStringAA(region, kX, kY, kMaxX, kLine, 0xFFFFFFFF, backColour, &font, FMUC_FIT_CUT,
                     FMUC_ALIGN_LEFT, 1.0f);
  }
  state.counters["inked_px"] = double(inkedPixels);
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

// The firmware's part of one line: what FMUC_PutStringAA asks of the host around its
// drawing, with the same box.
void BoxCalls(benchmark::State& state, bool solidBack) {
  for (auto _ : state) {
    if (solidBack) TAP_Osd_FillBox(region, kX, kY, kMaxX - kX + 1, lineHeight, 0xFF181818);
    byte* pixels = TAP_Osd_SaveBox(region, kX, kY, lineWidth, lineHeight);
    TAP_Osd_RestoreBox(region, kX, kY, lineWidth, lineHeight, pixels);
    TAP_MemFree(pixels);
  }
}
void BM_BoxCalls_SolidBack(benchmark::State& state) {
  BoxCalls(state, true);
}
void BM_BoxCalls_OverScreen(benchmark::State& state) {
  BoxCalls(state, false);
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

BENCHMARK(BM_PutStringAA_SolidBack);
BENCHMARK(BM_PutStringAA_OverScreen);
BENCHMARK(BM_BoxCalls_SolidBack);
BENCHMARK(BM_BoxCalls_OverScreen);
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
  const FMUC_Glyph* glyphs[64];
  int width = 0;
  if (FMUC_GetStringGlyphs(kLine, &font, glyphs, 64, &width, &lineHeight) < 0) return 1;
  lineWidth = dword(width);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  FMUC_FreeFontFile(&font);
  return 0;
}
