// Anti-aliased text: one 34-character line of the 14-pixel standard font drawn with
// FMUC_PutStringAA, over a solid background and blended onto the screen. The
// counters give the time per inked glyph pixel (coverage above 0).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "lib/font/font.h"
#include "stand/stand.h"

namespace {

const char kLine[] = "Recording stopped: Film (2026) 1/2";  // 34 characters
static_assert(sizeof kLine - 1 == 34, "a 34-character line");
constexpr dword kRegionWidth = 720;
constexpr dword kRegionHeight = 40;

FMUC_Font font{};
word region = 0;
int64_t inkedPixels = 0;  // per line

void Draw(benchmark::State& state, dword backColour) {
  for (auto _ : state) {
    // The screen beneath is the same for every line.
    state.PauseTiming();
    TAP_Osd_FillBox(region, 0, 0, kRegionWidth, kRegionHeight, 0xFF202040);
    state.ResumeTiming();
    FMUC_PutStringAA(region, 10, 5, kRegionWidth - 11, kLine, 0xFFFFFFFF, backColour, &font,
                     FMUC_FIT_CUT, FMUC_ALIGN_LEFT, 1.0f);
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

BENCHMARK(BM_PutStringAA_SolidBack);
BENCHMARK(BM_PutStringAA_OverScreen);

// The font the build made, beside this program: <build>/bin/.. /data/fonts.
bool InstallFont(const char* name) {
  const std::filesystem::path file =
      std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "data" /
      "fonts" / name;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "font_bench: %s is missing; build the fonts first\n", file.c_str());
    return false;
  }
  stand::WriteFile(std::string("/ProgramFiles/Settings/Fonts/") + name,
                   std::string(std::istreambuf_iterator<char>(in), {}));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  stand::Reset();
  if (!InstallFont("Calibri_14.ufnt") || !FMUC_LoadFontFile("Calibri_14.ufnt", &font)) return 1;
  region = TAP_Osd_Create(0, 0, kRegionWidth, kRegionHeight, 0, 0);
  byte length = 1;
  for (const char* p = kLine; *p; p += length) {
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(&font, p, &length);
    for (dword i = 0; glyph && i < dword(glyph->Width) * glyph->Height; ++i)
      inkedPixels += glyph->GlyphData[i] != 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  FMUC_FreeFontFile(&font);
  return 0;
}
