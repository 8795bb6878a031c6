// Drawing text with FMUC_PutStringAA into the stand's regions.
#include <cstring>
#include <random>

#include "lib/font/font.h"
#include "lib/osd/messagewin.h"
#include "tests/support/test_fonts.h"
#include "tests/support/trace.h"

namespace {

constexpr dword kWhite = 0xFFFFFFFF;
constexpr dword kBlack = 0xFF000000;
constexpr dword kSentinel = 0xFF123456;
constexpr dword kBack = 0xFF0000FF;

class Render : public StandTest {
 protected:
  void SetUp() override {
    StandTest::SetUp();
    MessageWinRgn = 0;
  }
  void TearDown() override {
    FMUC_FreeFontFile(&font);
    EXPECT_EQ(stand::Memory().liveBlocks, 0u) << "memory was not given back";
  }
  void Load(const std::vector<TestGlyph>& glyphs) {
    InstallFont("T.ufnt", MakeUfnt(glyphs));
    ASSERT_EQ(FMUC_LoadFontFile("T.ufnt", &font), 1);
  }
  word Region(dword width, dword height, dword colour = 0) {
    word region = TAP_Osd_Create(0, 0, width, height, 0, 0);
    if (colour) TAP_Osd_FillBox(region, 0, 0, width, height, colour);
    stand::ClearOsdTrace();
    return region;
  }
  // What a row of 10-pixel cells shows in the ten-pixel font: the letter whose rows
  // are covered, "…" for the ellipsis, ' ' for an untouched cell, '?' otherwise.
  std::string Cells(word region, dword x, int cells, dword untouched = 0) {
    std::string out;
    for (int i = 0; i < cells; ++i) {
      int covered = 0;
      bool onlyLast = stand::RegionPixel(region, x + 10 * i + 5, 9) == kWhite;
      for (dword r = 0; r < 10; ++r)
        if (stand::RegionPixel(region, x + 10 * i + 5, r) == kWhite) ++covered;
      if (covered == 0)
        out += stand::RegionPixel(region, x + 10 * i + 5, 0) == untouched ? " " : "?";
      else if (onlyLast && covered == 1)
        out += "\xE2\x80\xA6";
      else if (covered <= 8 && stand::RegionPixel(region, x + 10 * i + 5, 0) == kWhite)
        out += char('A' + covered - 1);
      else
        out += "?";
    }
    return out;
  }
  // The numbers of the last block saved, none when none was.
  static std::vector<int64_t> LastSaved() {
    Trace boxes = Calls(Call::SaveBox);
    return boxes.empty() ? std::vector<int64_t>{} : boxes.back().numbers;
  }
  FMUC_Font font{};
};

TEST_F(Render, OverflowModesAndAlignment) {
  Load(TenPixelGlyphs());
  struct Row {
    const char* text;
    byte mode;
    byte align;
    const char* cells;         // columns 0 to 59
    std::vector<int64_t> box;  // the block saved, none for none
  } rows[] = {
      {"ABCDEFGH", FMUC_FIT_CUT, FMUC_ALIGN_LEFT, "ABCDE ", {1, 0, 0, 50, 10}},
      {"ABCDEFGH", FMUC_FIT_ELLIPSIS_END, FMUC_ALIGN_LEFT, "ABC\xE2\x80\xA6  ", {1, 0, 0, 50, 10}},
      {"ABCDEFGH", FMUC_FIT_ELLIPSIS_END, FMUC_ALIGN_RIGHT, "ABC\xE2\x80\xA6  ", {1, 0, 0, 50, 10}},
      {"ABCDEFGH",
       FMUC_FIT_ELLIPSIS_START,
       FMUC_ALIGN_LEFT,
       "\xE2\x80\xA6"
       "EFGH ",
       {1, 0, 0, 50, 10}},
      {"ABCDEFGH", FMUC_FIT_ALL_OR_NOTHING, FMUC_ALIGN_LEFT, "      ", {}},
      {"ABCDEFGH", 7, FMUC_ALIGN_LEFT, "      ", {}},
      {"ABCD", FMUC_FIT_CUT, FMUC_ALIGN_LEFT, "ABCD  ", {1, 0, 0, 40, 10}},
      {"ABCD", FMUC_FIT_ELLIPSIS_START, FMUC_ALIGN_LEFT, "ABCD  ", {1, 0, 0, 40, 10}},
      {"ABCD", FMUC_FIT_ALL_OR_NOTHING, FMUC_ALIGN_RIGHT, " ABCD ", {1, 10, 0, 40, 10}},
      {"ABCD", FMUC_FIT_CUT, FMUC_ALIGN_CENTER, "", {1, 5, 0, 40, 10}},
      {"ABCD", FMUC_FIT_CUT, 9, "ABCD  ", {1, 0, 0, 40, 10}},
      {"ABCDEFGH", FMUC_FIT_CUT, FMUC_ALIGN_CENTER, "ABCDE ", {1, 0, 0, 50, 10}},
  };
  for (const Row& row : rows) {
    stand::Reset();
    ResetToolkitState();
    Load(TenPixelGlyphs());
    const word region = Region(100, 20);
    FMUC_PutStringAA(region, 0, 0, 49, row.text, kWhite, 0, &font, row.mode, row.align, 1.0f);
    if (*row.cells) {
      EXPECT_EQ(Cells(region, 0, 6), row.cells) << row.text << " " << int(row.mode);
    }
    EXPECT_EQ(LastSaved(), row.box) << row.text << " " << int(row.mode) << " " << int(row.align);
    FMUC_FreeFontFile(&font);
  }
}

TEST_F(Render, CentredTextStartsHalfTheSpareRoomIn) {
  Load(TenPixelGlyphs());
  const word region = Region(100, 20);
  FMUC_PutStringAA(region, 0, 0, 49, "ABCD", kWhite, 0, &font, 0, FMUC_ALIGN_CENTER, 1.0f);
  EXPECT_EQ(stand::RegionPixel(region, 4, 0), 0u);
  EXPECT_EQ(stand::RegionPixel(region, 5, 0), kWhite);
  EXPECT_EQ(stand::RegionPixel(region, 44, 3), kWhite);
  EXPECT_EQ(stand::RegionPixel(region, 45, 0), 0u);
}

TEST_F(Render, SolidBackgroundFillsTheRoomAsHighAsTheText) {
  std::vector<TestGlyph> glyphs = TenPixelGlyphs();
  glyphs.push_back(RowGlyph('T', 10, 14, 255, {13}));
  glyphs.push_back(RowGlyph('h', 10, 10, 128, {0}));
  Load(glyphs);
  const word region = Region(100, 20, kSentinel);
  FMUC_PutStringAA(region, 0, 0, 49, "AT", kWhite, kBack, &font, 0, 0, 1.0f);
  EXPECT_EQ(stand::OsdTrace().front(), TraceEntry({Call::FillBox, {1, 0, 0, 50, 14, kBack}}));
  EXPECT_EQ(stand::RegionPixel(region, 5, 0), kWhite);    // A's covered row
  EXPECT_EQ(stand::RegionPixel(region, 5, 1), kBack);     // A's bare row
  EXPECT_EQ(stand::RegionPixel(region, 15, 13), kWhite);  // T's foot, below A's height
  EXPECT_EQ(stand::RegionPixel(region, 45, 13), kBack);   // the room beyond the text
  EXPECT_EQ(stand::RegionPixel(region, 50, 0), kSentinel);
  EXPECT_EQ(stand::RegionPixel(region, 5, 14), kSentinel);

  // A half-covered pixel blends with the back colour, not with what was there.
  FMUC_PutStringAA(region, 60, 0, 99, "h", 0x80FFFFFF, kBlack, &font, 0, 0, 1.0f);
  EXPECT_EQ(stand::RegionPixel(region, 65, 0), 0x807F7F7Fu);
}

TEST_F(Render, BlendsOverTheScreen) {
  std::vector<TestGlyph> glyphs = TenPixelGlyphs();
  glyphs.push_back(RowGlyph('h', 10, 10, 128, {0, 1}));
  glyphs.push_back(RowGlyph('q', 10, 10, 64, {0}));
  Load(glyphs);
  const word region = Region(100, 20, kBlack);
  FMUC_PutStringAA(region, 0, 0, 99, "h", kWhite, 0, &font, 0, 0, 1.0f);
  EXPECT_EQ(stand::RegionPixel(region, 5, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(stand::RegionPixel(region, 5, 2), kBlack);
  EXPECT_EQ(stand::OsdTrace(),
            (Trace{{Call::SaveBox, {1, 0, 0, 10, 10}}, {Call::RestoreBox, {1, 0, 0, 10, 10}}}));

  // Each pixel blends with its own background: the remembered blend is not reused
  // for another background or coverage.
  TAP_Osd_FillBox(region, 20, 1, 10, 1, 0xFF00FF00);
  FMUC_PutStringAA(region, 20, 0, 99, "hq", 0xFFFF0000, 0, &font, 0, 0, 2.0f);
  EXPECT_EQ(stand::RegionPixel(region, 25, 0), 0xFFFE0000u);
  EXPECT_EQ(stand::RegionPixel(region, 25, 1), 0xFFFEFC00u);
  EXPECT_EQ(stand::RegionPixel(region, 35, 0), 0xFF7E0000u);
}

// Unscaled text over the screen blends each channel as FM_AlphaBlendRGB does, keeps
// the fore colour's alpha, and reads every pixel's own background.
TEST_F(Render, UnscaledBlendOverTheScreenMatchesTheChannelBlend) {
  const byte coverages[] = {1, 64, 128, 200, 254};
  std::vector<TestGlyph> glyphs;
  for (int i = 0; i < 5; ++i)
    glyphs.push_back(RowGlyph('a' + i, 10, 10, coverages[i], {0, 1}));
  Load(glyphs);
  const dword backs[] = {0xFF123456, 0xFFFEDCBA};
  const word region = Region(100, 10, backs[0]);
  TAP_Osd_FillBox(region, 0, 1, 100, 1, backs[1]);
  const dword fore = 0x80C08040;
  FMUC_PutStringAA(region, 0, 0, 99, "abcde", fore, 0, &font, 0, 0, 1.0f);
  for (int i = 0; i < 5; ++i)
    for (dword r = 0; r < 2; ++r)
      EXPECT_EQ(stand::RegionPixel(region, 10 * i + 5, r),
                0x80000000u | FM_AlphaBlendRGB(coverages[i], fore, backs[r], 1.0f))
          << "coverage " << int(coverages[i]) << " row " << r;
}

// Every pixel of a text drawn over a patterned screen is what the blending rules give it
// over its own background, however the drawing goes about it: the standard font over
// stripes of other colours (each glyph row's stretch meets background and stripes at odd
// and even columns), unscaled, scaled and on a solid background.
TEST_F(Render, EveryPixelFollowsTheBlendingRules) {
  InstallStandardFont("Calibri_14.ufnt");
  ASSERT_EQ(FMUC_LoadFontFile("Calibri_14.ufnt", &font), 1);
  const char* text = "Dokumentation - Die Reise zum Mittelpunkt (Teil 2) W@gjy";
  const dword fore = 0xF0E89211;
  const auto beneath = [](dword x, dword y) -> dword {
    if (x % 7 == 3) return 0xFF101080 + x;
    if (y % 5 == 2) return 0xFF9EE289 - y;
    return 0xFF282828;
  };
  for (const float factor : {1.0f, 2.0f})
    for (const dword back : {dword(0), 0xFF204060u}) {
      const word region = TAP_Osd_Create(0, 0, 400, 20, 0, 0);
      for (dword y = 0; y < 20; ++y)
        for (dword x = 0; x < 400; ++x)
          TAP_Osd_FillBox(region, x, y, 1, 1, beneath(x, y));
      FMUC_PutStringAA(region, 0, 0, 399, text, fore, back, &font, 0, 0, factor);
      if (back) FM_InitAlphaLUT(fore, back, factor);
      dword pen = 0;
      byte length = 1;
      for (const char* p = text; *p; p += length) {
        const FMUC_Glyph* glyph = FMUC_GetGlyphData(&font, p, &length);
        ASSERT_NE(glyph, nullptr);
        for (dword r = 0; r < glyph->Height; ++r)
          for (dword c = 0; c < glyph->Width; ++c) {
            const byte a = glyph->GlyphData[r * glyph->Width + c];
            const dword under = back ? back : beneath(pen + c, r);
            dword want = under;
            if (a == 255)
              want = fore;
            else if (a && back)
              want = (fore & 0xFF000000) | dword(AlphaLUT[a][0]) << 16 |
                     dword(AlphaLUT[a][1]) << 8 | AlphaLUT[a][2];
            else if (a)
              want = (fore & 0xFF000000) | FM_AlphaBlendRGB(a, fore, under, factor);
            ASSERT_EQ(stand::RegionPixel(region, pen + c, r), want)
                << "'" << *p << "' row " << r << " column " << c << " factor " << factor << " back "
                << std::hex << back;
          }
        pen += glyph->Width;
      }
      TAP_Osd_Delete(region);
    }
}

TEST_F(Render, Blending) {
  struct Row {
    dword coverage, fore, back;
    float factor;
    int result;
  } rows[] = {
      {128, 255, 0, 1.0f, 127},  {128, 255, 255, 1.0f, 254}, {128, 255, 255, 2.0f, 255},
      {0, 255, 17, 5.0f, 17},    {255, 200, 17, 0.0f, 200},  {0x180, 0x1FF, 0x100, 1.0f, 127},
      {128, 255, 0, -1.0f, 255}, {128, 1, 0, -0.5f, 0},      {128, 255, 0, 0.5f, 63},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FM_AlphaBlend(row.coverage, row.fore, row.back, row.factor), row.result)
        << row.coverage << " " << row.fore << " " << row.back << " " << row.factor;
  EXPECT_EQ(FM_AlphaBlendRGB(128, 0xFFFF8000, 0xFF000000, 1.0f), 0x7F4000u);

  FM_InitAlphaLUT(0xFFFFFFFF, 0xFF000000, 1.0f);
  EXPECT_EQ(AlphaLUT[0][0], 0);
  EXPECT_EQ(AlphaLUT[128][1], 127);
  EXPECT_EQ(AlphaLUT[254][2], 253);
  // Every entry is FM_AlphaBlend's, scaled or not, whichever way the table is filled.
  for (const dword fore : {0xFFFFFFFFu, 0x80123456u, 0xFF00FF00u})
    for (const dword back : {0xFF000000u, 0xFFFEDCBAu, 0x00FF00FFu})
      for (const float factor : {1.0f, 1.5f}) {
        FM_InitAlphaLUT(fore, back, factor);
        for (dword i = 0; i < 255; ++i)
          for (int c = 0; c < 3; ++c)
            ASSERT_EQ(AlphaLUT[i][c],
                      FM_AlphaBlend(i, fore >> (16 - 8 * c), back >> (16 - 8 * c), factor))
                << std::hex << fore << " " << back << " " << factor << " " << i << " " << c;
      }
}

// The blend factor is scaled in integer arithmetic on its bits (the recorder's core may
// have no FPU); every result must be the one single-precision arithmetic gives.
TEST(BlendFactor, ScalingMatchesSinglePrecision) {
  const auto reference = [](dword value, float factor) -> int {
    const float scaled = static_cast<float>(value) * factor;
    if (!(scaled > -1.0f && scaled < 256.0f)) return 255;
    return static_cast<byte>(static_cast<int>(scaled));
  };
  const auto bits = [](float f) { return FM_FactorBits(f); };
  std::vector<dword> factors = {0x00000000,  0x80000000, 0x00000001,   0x007FFFFF,  0x00800000,
                                0x7F7FFFFF,  0xFF7FFFFF, 0x7F800000,   0xFF800000,  0x7FC00000,
                                0xFFC00001,  bits(1.0f), bits(2.0f),   bits(0.5f),  bits(-0.5f),
                                bits(-1.0f), bits(1.5f), bits(255.0f), bits(1e-30f)};
  // The edges where truncation changes: factors next to 256 / v, 1 / v and k / v, one
  // unit in the last place either side, where the product's rounding decides.
  for (dword v = 1; v < 256; ++v)
    for (const float edge : {256.0f / v, 1.0f / v, 100.0f / v, -1.0f / v, 7.5f / v}) {
      const dword b = bits(edge);
      for (const dword step : {b - 1, b, b + 1})
        factors.push_back(step);
    }
  std::mt19937 random(24);
  for (int i = 0; i < 4000; ++i)
    factors.push_back(static_cast<dword>(random()));
  // Exponents near one, where most products land within a byte.
  for (int i = 0; i < 4000; ++i)
    factors.push_back((random() & 0x807FFFFFu) | (static_cast<dword>(118 + random() % 16) << 23));
  for (const dword factorBits : factors) {
    float factor;
    std::memcpy(&factor, &factorBits, sizeof factor);
    for (dword value = 0; value < 256; ++value)
      ASSERT_EQ(FM_ScaleChannel(value, factorBits), reference(value, factor))
          << value << " x " << std::hexfloat << factor << " (bits " << std::hex << factorBits
          << ")";
  }
}

TEST_F(Render, CombiningMarkIsCentredAndDoesNotAdvance) {
  std::vector<TestGlyph> glyphs = TenPixelGlyphs();
  glyphs.push_back(RowGlyph('e', 10, 10, 255, {5}));
  glyphs.push_back(RowGlyph(0x301, 4, 10, 255, {0}));
  Load(glyphs);
  EXPECT_EQ(FMUC_GetStringWidth("e\xCC\x81", &font), 10);
  const word region = Region(100, 20);
  FMUC_PutStringAA(region, 0, 0, 99,
                   "e\xCC\x81"
                   "A",
                   kWhite, 0, &font, 0, 0, 1.0f);
  for (dword c = 0; c < 10; ++c)
    EXPECT_EQ(stand::RegionPixel(region, c, 0), c >= 3 && c < 7 ? kWhite : 0u) << c;
  EXPECT_EQ(stand::RegionPixel(region, 0, 5), kWhite);
  EXPECT_EQ(Cells(region, 10, 1), "A");
}

TEST_F(Render, SingleBytesAreReadAs8859_9) {
  std::vector<TestGlyph> glyphs = TenPixelGlyphs();
  glyphs.push_back(RowGlyph(0xF0, 10, 10, 255, {0}));   // ð, 0xF0 in Latin-1
  glyphs.push_back(RowGlyph(0x11F, 10, 10, 255, {1}));  // ğ, 0xF0 in ISO/IEC 8859-9
  Load(glyphs);
  const word region = Region(100, 20);
  FMUC_PutStringAA(region, 0, 0, 99, "\xF0", kWhite, 0, &font, 0, 0, 1.0f);
  FMUC_PutStringAA(region, 20, 0, 99, "\xC3\xB0", kWhite, 0, &font, 0, 0, 1.0f);
  EXPECT_EQ(stand::RegionPixel(region, 5, 0), 0u);
  EXPECT_EQ(stand::RegionPixel(region, 5, 1), kWhite);
  EXPECT_EQ(stand::RegionPixel(region, 25, 0), kWhite);
  EXPECT_EQ(stand::RegionPixel(region, 25, 1), 0u);
}

TEST_F(Render, TextIsCleanedAndCut) {
  std::vector<TestGlyph> glyphs = TenPixelGlyphs();
  glyphs.push_back(RowGlyph('x', 1, 1, 255, {0}));
  glyphs.push_back(RowGlyph(0xE9, 1, 1, 255, {0}));
  Load(glyphs);
  struct Row {
    const char* what;
    std::string text;
    std::vector<int64_t> box;
  } rows[] = {
      {"controls and line feeds go",
       "A\nB\x01"
       "C\r",
       {1, 0, 0, 30, 10}},
      {"only controls", "\x01\x02\n", {}},
      {"cut to 127 bytes", std::string(200, 'x'), {1, 0, 0, 127, 1}},
      {"never inside a character", std::string(126, 'x') + "\xC3\xA9", {1, 0, 0, 126, 1}},
      {"a copy of 512 bytes or more", std::string(600, 'x'), {}},
  };
  for (const Row& row : rows) {
    const word region = Region(720, 20);
    FMUC_PutStringAA(region, 0, 0, 719, row.text.c_str(), kWhite, 0, &font, 0, 0, 1.0f);
    EXPECT_EQ(LastSaved(), row.box) << row.what;
    TAP_Osd_Delete(region);
  }
  const word region = Region(100, 20);
  FMUC_PutStringAA(region, 0, 0, 99,
                   "A\nB\x01"
                   "C",
                   kWhite, 0, &font, 0, 0, 1.0f);
  EXPECT_EQ(Cells(region, 0, 4), "ABC ");
}

TEST_F(Render, NothingForBadArgumentsOrAFailedFont) {
  Load(TenPixelGlyphs());
  const word region = Region(100, 20);
  FMUC_Font missing{};
  FMUC_PutStringAA(region, 0, 0, 99, nullptr, kWhite, kBack, &font, 0, 0, 1.0f);
  FMUC_PutStringAA(region, 0, 0, 99, "", kWhite, kBack, &font, 0, 0, 1.0f);
  FMUC_PutStringAA(region, 0, 0, 99, "A", kWhite, kBack, nullptr, 0, 0, 1.0f);
  FMUC_PutStringAA(region, 10, 0, 10, "A", kWhite, kBack, &font, 0, 0, 1.0f);
  FMUC_PutStringAA(region, 0, 0, 99, "A", kWhite, kBack, &missing, 0, 0, 1.0f);
  stand::FailAllocation(1);
  FMUC_PutStringAA(region, 0, 0, 99, "A", kWhite, kBack, &font, 0, 0, 1.0f);
  EXPECT_TRUE(stand::OsdTrace().empty());
  // A text that cannot be made to fit draws nothing, not even its background.
  FMUC_PutStringAA(region, 0, 0, 5, "AB", kWhite, kBack, &font, 0, 0, 1.0f);
  EXPECT_TRUE(stand::OsdTrace().empty());
}

TEST_F(Render, MaxXIsKeptInsideTheRegion) {
  Load(TenPixelGlyphs());
  const word region = Region(100, 20, kSentinel);
  FMUC_PutStringAA(region, 0, 0, 5000, "ABCDEFGHABCDEFGH", kWhite, kBack, &font, 0, 0, 1.0f);
  EXPECT_EQ(stand::OsdTrace().front(), TraceEntry({Call::FillBox, {1, 0, 0, 100, 10, kBack}}));
  EXPECT_EQ(Cells(region, 0, 10, kBack), "ABCDEFGHAB");
  // x at or past the region's last column leaves no room.
  stand::ClearOsdTrace();
  FMUC_PutStringAA(region, 99, 0, 5000, "A", kWhite, kBack, &font, 0, 0, 1.0f);
  FMUC_PutStringAA(region, 150, 0, 5000, "A", kWhite, kBack, &font, 0, 0, 1.0f);
  EXPECT_TRUE(stand::OsdTrace().empty());
  FMUC_PutStringAA(region, 90, 0, 5000, "A", kWhite, 0, &font, 0, 0, 1.0f);
  EXPECT_EQ(stand::OsdTrace().front(), TraceEntry({Call::SaveBox, {1, 90, 0, 10, 10}}));
}

// Whatever the text, font and coordinates, nothing changes outside the text's box
// (and, with a solid background, the room it fills) and nothing is left allocated.
TEST_F(Render, NothingIsWrittenOutsideTheBox) {
  std::vector<TestGlyph> glyphs = TenPixelGlyphs();
  glyphs.push_back(RowGlyph('i', 4, 10, 255, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  glyphs.push_back(RowGlyph(0x301, 12, 6, 200, {0, 1, 2, 3, 4, 5}));  // wider than i
  glyphs.push_back(RowGlyph(0x308, 3, 12, 255, {11}));                // taller than letters
  Load(glyphs);
  const char* texts[] = {
      "\xCC\x81",
      ("\xCC\x81"
       "A"),
      "i\xCC\x81",
      "Ai\xCC\x81",
      "ABCDEF\xCC\x81",
      "ABCDEFGH\xCC\x81\xCC\x81\xCC\x88",
      "\xCC\x88i\xCC\x81",
      "iiiiiiiiiiiiiiiiiiiiii\xCC\x81",
      "\xE9\xCC\x81",
      "A\xCC",
      "\xCC\x81\xCC\x81\xCC\x81\xCC\x81",
  };
  const dword xs[] = {0, 1, 37, 95, 98};
  const dword maxXs[] = {9, 49, 99, 1000};
  const word region = Region(100, 30);
  int drawn = 0;
  for (const char* text : texts)
    for (dword x : xs)
      for (dword maxX : maxXs)
        for (byte mode = 0; mode < 4; ++mode)
          for (byte align = 0; align < 3; ++align)
            for (dword back : {dword(0), kBack}) {
              TAP_Osd_FillBox(region, 0, 0, 100, 30, kSentinel);
              stand::ClearOsdTrace();
              FMUC_PutStringAA(region, x, 3, maxX, text, kWhite, back, &font, mode, align, 1.0f);
              int64_t bx = 0, by = 0, bw = 0, bh = 0, fx = 0, fw = 0;
              for (const TraceEntry& e : stand::OsdTrace()) {
                const std::vector<int64_t>& n = e.numbers;
                if (e.call == Call::SaveBox) bx = n[1], by = n[2], bw = n[3], bh = n[4];
                if (e.call == Call::FillBox) fx = n[1], by = n[2], fw = n[3], bh = n[4];
              }
              drawn += bw > 0;
              for (dword py = 0; py < 30; ++py)
                for (dword px = 0; px < 100; ++px) {
                  const bool inBox = px >= bx && px < bx + bw && py >= by && py < by + bh;
                  const bool inFill = px >= fx && px < fx + fw && py >= by && py < by + bh;
                  if (!inBox && !inFill) {
                    ASSERT_EQ(stand::RegionPixel(region, px, py), kSentinel)
                        << text << " x " << x << " maxX " << maxX << " mode " << int(mode)
                        << " align " << int(align) << " at " << px << "," << py;
                  }
                }
              // The font's two tables and its cached glyphs; nothing else stays.
              ASSERT_EQ(stand::Memory().liveBlocks, size_t(2 + font.CachedGlyphs));
            }
  EXPECT_GT(drawn, 100);
}

}  // namespace

namespace {

// The standard font the message box uses, drawn as the box draws it.
TEST_F(Render, StandardFont) {
  InstallStandardFont("Calibri_14.ufnt");
  ASSERT_EQ(FMUC_LoadFontFile("Calibri_14.ufnt", &font), 1);
  auto draw = [&](const char* text, dword maxX, byte mode, byte align) {
    const word region = TAP_Osd_Create(0, 0, 200, 30, 0, 0);
    TAP_Osd_FillBox(region, 0, 0, 200, 30, kBlack);
    FMUC_PutStringAA(region, 0, 0, maxX, text, kWhite, 0, &font, mode, align, 1.0f);
    std::vector<dword> pixels;
    for (dword y = 0; y < 30; ++y)
      for (dword x = 0; x < 200; ++x)
        pixels.push_back(stand::RegionPixel(region, x, y));
    TAP_Osd_Delete(region);
    return pixels;
  };
  auto inkedColumns = [](const std::vector<dword>& pixels) {
    dword last = 0;
    for (dword i = 0; i < pixels.size(); ++i)
      if (pixels[i] != kBlack) last = std::max(last, i % 200 + 1);
    return last;
  };

  // Latin-1 text is drawn as its UTF-8 form; white over black gives only greys.
  const std::vector<dword> latin1 = draw("Caf\xE9", 199, 0, 0);
  EXPECT_EQ(latin1, draw("Caf\xC3\xA9", 199, 0, 0));
  for (dword p : latin1)
    EXPECT_TRUE(p >> 24 == 0xFF && (p & 0xFF) == ((p >> 8) & 0xFF) &&
                (p & 0xFF) == ((p >> 16) & 0xFF));

  // An accent (U+00B4) over e: no wider than e, and it adds ink; a double mark
  // (U+035C) wider than the e is kept inside the text's box.
  ASSERT_NE(FMUC_GetGlyphData(&font, "\xC2\xB4", nullptr), nullptr);
  EXPECT_EQ(FMUC_GetStringWidth("e\xC2\xB4", &font), FMUC_GetStringWidth("e", &font));
  EXPECT_NE(draw("e\xC2\xB4", 199, 0, 0), draw("e", 199, 0, 0));
  EXPECT_LE(inkedColumns(draw("e\xCD\x9C", 199, 0, 0)), dword(FMUC_GetStringWidth("e", &font)));

  // A long title cut in every way stays within its room.
  const char* title = "The quick brown fox jumps over the lazy dog";
  for (byte mode = 0; mode < 3; ++mode)
    for (byte align = 0; align < 3; ++align) {
      const std::vector<dword> pixels = draw(title, 99, mode, align);
      EXPECT_GT(inkedColumns(pixels), 50u) << int(mode) << " " << int(align);
      EXPECT_LE(inkedColumns(pixels), 100u) << int(mode) << " " << int(align);
    }
  EXPECT_EQ(inkedColumns(draw(title, 99, FMUC_FIT_ALL_OR_NOTHING, 0)), 0u);
}

}  // namespace
