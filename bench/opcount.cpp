// scrapdeck-opcount OP: prepares the recorder for one operation of the plug-in and
// runs that operation once with callgrind's instrumentation switched on, so that
// `valgrind --tool=callgrind --instr-atstart=no` records exactly that call (the
// set-up and warm-up calls before it are neither counted nor seen as calls). bench/plugin_cost.py
// then takes the stand's host functions out of the count. Figures that need no callgrind (heap use)
// are printed as "name value" lines; so are the counts the budgets need.
//
// The event-cycle operations run the plug-in image itself, loaded like the recorder
// loads it; the toolkit operations call the same code through the static library.
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/marks.h"
#if SCRAPDECK_BENCH_PEER
#include "bench/peer.h"
#endif
#include "bench/support.h"
#include "core/fmtstring.h"
#include "core/main.h"
#include "lib/firmware/firmware.h"
#include "lib/font/font.h"
#include "lib/hdd/hdd.h"
#include "lib/ini/ini.h"
#include "lib/osd/messagebox.h"
#include "lib/text/text.h"
#include "stand/recorder.h"
#include "stand/stand.h"

namespace {

// The prompt's title wraps onto two lines of at most 34 characters.
const char kLongTitle[] = "Dokumentation - Die Reise zum Mittelpunkt der Erde (Teil 2)";
const char kFilm[] = "/DataFiles/Film.rec";

template <class F>
__attribute__((noinline)) void Measure(F&& call) {
  SCRAPDECK_BENCH_START;
  call();
  SCRAPDECK_BENCH_STOP;
}

void Figure(const char* name, double value) {
  std::printf("%s %.17g\n", name, value);
}

bool Fail(const std::string& why) {
  std::fprintf(stderr, "scrapdeck-opcount: %s\n", why.c_str());
  return false;
}

// ---- The event cycle, in the loaded image ----

stand::Plugin plugin;

bool StartImage() {
  stand::Reset();
  if (!bench::InstallStandardFonts()) return false;
  std::string error;
  if (!stand::LoadPlugin(SCRAPDECK_IMAGE, 0, plugin, error)) return Fail(error);
  return stand::CallMain(plugin) == 1 || Fail("TAP_Main did not stay resident");
}

dword Idle() {
  return stand::CallEvent(plugin, HOST_EVENT_IDLE, 0);
}
dword Key(dword key) {
  return stand::CallEvent(plugin, HOST_EVENT_KEY, key);
}

// A recording played and stopped: the key arms the playback stop source.
void PlayAndStop(const std::string& recording) {
  stand::Play(recording);
  Key(KEY_STOP);
  stand::StopPlay();
}

bool IdleEvent() {
  if (!StartImage()) return false;
  for (int i = 0; i < 3; ++i)
    Idle();
  Measure([] { Idle(); });
  return true;
}

bool KeyPassthrough() {
  if (!StartImage()) return false;
  for (int i = 0; i < 3; ++i)
    Key(KEY_UP);
  dword result = 0;
  Measure([&] { result = Key(KEY_UP); });
  return result == KEY_UP || Fail("KEY_UP did not pass");
}

bool ArmPlayback() {
  if (!StartImage()) return false;
  stand::WriteFile(kFilm, std::string(1000, 'x'));
  // One whole prompt first, so that every first-use lookup is behind us.
  PlayAndStop(kFilm);
  Idle();
  Key(KEY_EXIT);
  stand::Play(kFilm);
  dword result = 0;
  Measure([&] { result = Key(KEY_STOP); });
  return result == KEY_STOP || Fail("KEY_STOP did not pass");
}

bool CheckPlayback() {
  if (!StartImage()) return false;
  stand::WriteFile(kFilm, std::string(1000, 'x'));
  PlayAndStop(kFilm);
  const size_t bytes = stand::DiskBytesRead();
  Measure([] { Idle(); });
  Figure("check_playback_disk_bytes", double(stand::DiskBytesRead() - bytes));
  return stand::Memory().liveBytes > 0 || Fail("no prompt shown");
}

// Parts of check_playback, through the static library: loading the standard fonts,
// and filling the 14-pixel font's glyph cache with the characters of that prompt.
// What is left of check_playback is the drawing and the event cycle around it.
bool CheckPlaybackFonts() {
  stand::Reset();
  if (!bench::InstallStandardFonts()) return false;
  const size_t bytes = stand::DiskBytesRead();
  Measure([] { OSDMenuLoadStdFonts(); });
  Figure("check_playback_fonts_disk_bytes", double(stand::DiskBytesRead() - bytes));
  return OSDMenuFont_14.FileHandle > 0 || Fail("no 14-pixel font");
}

bool CheckPlaybackGlyphs() {
  stand::Reset();
  if (!bench::InstallStandardFonts()) return false;
  OSDMenuLoadStdFonts();
  const size_t bytes = stand::DiskBytesRead();
  Measure([] {
    byte length = 1;
    for (const char* text : {"Playback stopped", "Film", "Delete", "Keep"})
      for (const char* p = text; *p; p += length)
        FMUC_GetGlyphData(&OSDMenuFont_14, p, &length);
  });
  Figure("check_playback_glyphs_disk_bytes", double(stand::DiskBytesRead() - bytes));
  return OSDMenuFont_14.CachedGlyphs > 0 || Fail("no glyph cached");
}

// Covered pixels and characters of a text in a font, as drawn without cuts.
void CountGlyphs(FMUC_Font* font, const char* text, long& pixels, long& characters) {
  byte length = 1;
  for (const char* p = text; *p; p += length) {
    ++characters;
    const FMUC_Glyph* glyph = FMUC_GetGlyphData(font, p, &length);
    for (dword i = 0; glyph && i < dword(glyph->Width) * glyph->Height; ++i)
      pixels += glyph->GlyphData[i] != 0;
  }
}

bool PromptRedraw() {
  if (!StartImage()) return false;
  const std::string recording = std::string("/DataFiles/") + kLongTitle + ".rec";
  stand::WriteFile(recording, std::string(1000, 'x'));
  PlayAndStop(recording);
  Idle();  // shows the prompt
  Idle();  // the first event the prompt drives: first-use lookups of the event cycle
  dword result = 1;
  Measure([&] { result = Key(KEY_LEFT); });
  if (result != 0) return Fail("KEY_LEFT was not taken by the prompt");

  // What the redraw drew: the title, the wrapped lines and both buttons, all in the
  // 14-pixel font.
  char wrapped[254];
  fmtstring(wrapped, sizeof wrapped, kLongTitle, 34, -1, default_separator_list);
  std::vector<std::string> texts = {"Playback stopped", "Delete", "Keep"};
  for (char* line = std::strtok(wrapped, "\r\n"); line; line = std::strtok(nullptr, "\r\n"))
    texts.push_back(line);
  if (texts.size() != 5) return Fail("the title did not wrap onto two lines");
  FMUC_Font font{};
  if (!FMUC_LoadFontFile("Calibri_14.ufnt", &font)) return Fail("no 14-pixel font");
  long pixels = 0, characters = 0;
  for (const std::string& text : texts)
    CountGlyphs(&font, text.c_str(), pixels, characters);
  FMUC_FreeFontFile(&font);
  Figure("prompt_redraw_glyph_pixels", double(pixels));
  Figure("prompt_redraw_characters", double(characters));
  Figure("prompt_redraw_budget", double(8 * pixels + 400 * characters));
  return true;
}

// ---- Toolkit operations, through the static library ----

bool PutString(dword backColour) {
  stand::Reset();
  FMUC_Font font{};
  if (!bench::InstallFont("Calibri_14.ufnt") || !FMUC_LoadFontFile("Calibri_14.ufnt", &font))
    return Fail("no 14-pixel font");
  const word region = TAP_Osd_Create(0, 0, SCREEN_WIDTH, 40, 0, 0);
  auto draw = [&] {
    FMUC_PutStringAA(region, 10, 5, 709, bench::kLine, 0xFFFFFFFF, backColour, &font, FMUC_FIT_CUT,
                     FMUC_ALIGN_LEFT, 1.0f);
  };
  TAP_Osd_FillBox(region, 0, 0, SCREEN_WIDTH, 40, 0xFF202040);
  draw();  // fills the glyph cache
  TAP_Osd_FillBox(region, 0, 0, SCREEN_WIDTH, 40, 0xFF202040);
  Measure(draw);
  long pixels = 0, characters = 0;
  CountGlyphs(&font, bench::kLine, pixels, characters);
  Figure("putstring_34_glyph_pixels", double(pixels));
  FMUC_FreeFontFile(&font);
  return true;
}

#if SCRAPDECK_BENCH_PEER
// A FreeType peer drawing the line into a band of the screen's width; its first line
// is drawn before the measure (FreeType's first use, or the cached peer's warm-up).
template <typename PeerType>
bool DrawWithPeer(const char* figure) {
  PeerType peer;
  if (!peer.Open(14)) return Fail(std::string("cannot open ") + bench::kPeerFace);
  std::vector<uint32_t> pixels(SCREEN_WIDTH * 40, 0xFF202040);
  auto draw = [&] {
    return peer.Draw(pixels.data(), SCREEN_WIDTH, 40, 10, 5, bench::kLine, 0xFFFFFFFF);
  };
  draw();
  int covered = 0;
  Measure([&] { covered = draw(); });
  Figure(figure, covered);
  return true;
}
bool Peer() {
  return DrawWithPeer<bench::FreeTypePeer>("peer_freetype_34_glyph_pixels");
}
bool CachedPeer() {
  return DrawWithPeer<bench::FreeTypeCachedPeer>("peer_cached_34_glyph_pixels");
}
#endif

bool IsRunning16() {
  stand::Reset();
  // Sixteen plug-ins, none of them the one asked for: every image is opened.
  const std::string image = bench::ReadHostFile(SCRAPDECK_IMAGE);
  if (image.empty()) return Fail("no plug-in image");
  for (dword slot = 0; slot < TAP_TABLE_SLOTS; ++slot) {
    const std::string path = "/ProgramFiles/Plugin" + std::to_string(slot) + ".tap";
    stand::WriteFile(path, image);
    stand::SetSlotImage(slot, path);
    stand::SetSlotDir(slot, "/ProgramFiles");
  }
  bool running = true;
  HDD_TAP_isRunning(0x8E0A424E);
  Measure([&] { running = HDD_TAP_isRunning(0x8E0A424E); });
  return !running || Fail("the asked-for plug-in runs");
}

bool StrToUtf8(const std::string& text) {
  stand::Reset();
  std::vector<char> dst(text.size() * 3 + 3);
  StrToUTF8(text.c_str(), dst.data(), 9);
  Measure([&] { StrToUTF8(text.c_str(), dst.data(), 9); });
  return true;
}

void WriteFamily(const std::string& base) {
  for (const char* ending : {".rec", ".rec.inf", ".rec.nav", ".cut", ".cut.bak", ".srt"})
    stand::WriteFile("/DataFiles/" + base + ending, std::string(100, 'x'));
}

bool DeleteFamily() {
  stand::Reset();
  WriteFamily("Warm");
  WriteFamily("Film");
  if (!HDD_ChangeDir("/DataFiles")) return Fail("cannot enter /DataFiles");
  HDD_Delete("Warm.rec");
  Measure([] { HDD_Delete("Film.rec"); });
  return !stand::Exists(kFilm) || Fail("the recording is still there");
}

bool IniRoundtrip() {
  stand::Reset();
  stand::WriteFile("/ProgramFiles/Settings/Scrapdeck.ini", "prompt_on=0\r\ntimeout=30\r\n");
  int timeout = 30;
  auto roundtrip = [&] {
    if (INIOpenFile("Scrapdeck.ini", nullptr) != INILOCATION_NotFound) {
      INIGetInt("prompt_on", 0, 0, 2);
      timeout = INIGetInt("timeout", 30, 1, 59940);
      INISetInt("timeout", timeout + 1);
      INISaveFile("Scrapdeck.ini", INILOCATION_AtSettings, nullptr);
    }
    INICloseFile();
  };
  roundtrip();
  Measure(roundtrip);
  return timeout == 31 || Fail("the settings file did not change");
}

// Heap use while the prompt shows, and what the standard fonts hold of it.
bool PromptMemory() {
  stand::Reset();
  if (!bench::InstallStandardFonts()) return false;
  TAP_Main();
  const size_t startPeak = stand::Memory().peakBytes;
  const std::string recording = std::string("/DataFiles/") + kLongTitle + ".rec";
  stand::WriteFile(recording, std::string(1000, 'x'));
  stand::Play(recording);
  TAP_EventHandler(HOST_EVENT_KEY, KEY_STOP, 0);
  stand::StopPlay();
  TAP_EventHandler(HOST_EVENT_IDLE, 0, 0);
  TAP_EventHandler(HOST_EVENT_KEY, KEY_LEFT, 0);
  TAP_EventHandler(HOST_EVENT_KEY, KEY_RIGHT, 0);
  TAP_EventHandler(HOST_EVENT_IDLE, 0, 0);
  if (!OSDMenuMessageBoxIsVisible()) return Fail("no prompt shown");
  size_t fontBytes = 0;
  for (const FMUC_Font* font : {&OSDMenuFont_10, &OSDMenuFont_12, &OSDMenuFont_14, &OSDMenuFont_16,
                                &OSDMenuFont_18, &OSDMenuFont_20, &OSDMenuFont_20B}) {
    fontBytes += stand::BlockSize(font->FontDef) + stand::BlockSize(font->GlyphCache);
    for (int i = 0; font->GlyphCache && i < font->CachedGlyphs; ++i)
      fontBytes += stand::BlockSize(font->GlyphCache[i].GlyphData);
  }
  const stand::MemoryStats memory = stand::Memory();
  Figure("heap_start_peak", double(startPeak));
  Figure("heap_peak_prompt", double(memory.peakBytes));
  Figure("heap_live_prompt", double(memory.liveBytes));
  Figure("font_bytes", double(fontBytes));
  TAP_EventHandler(HOST_EVENT_KEY, KEY_EXIT, 0);
  return true;
}

const std::map<std::string, std::function<bool()>>& Operations() {
  static const std::map<std::string, std::function<bool()>> operations = {
    {"idle_event", IdleEvent},
    {"key_passthrough", KeyPassthrough},
    {"arm_playback", ArmPlayback},
    {"check_playback", CheckPlayback},
    {"check_playback_fonts", CheckPlaybackFonts},
    {"check_playback_glyphs", CheckPlaybackGlyphs},
    {"prompt_redraw", PromptRedraw},
    {"putstring_34", [] { return PutString(0xFF181818); }},
    {"putstring_34_screen", [] { return PutString(0); }},
#if SCRAPDECK_BENCH_PEER
    {"peer_freetype_34", Peer},
    {"peer_cached_34", CachedPeer},
#endif
    {"is_running_16", IsRunning16},
    {"strtoutf8_1k_8859_9", [] { return StrToUtf8(bench::Latin5Text()); }},
    {"strtoutf8_1k_utf8", [] { return StrToUtf8(bench::Utf8Text()); }},
    {"strtoutf8_1k_big5", [] { return StrToUtf8(bench::Big5Text()); }},
    {"delete_family", DeleteFamily},
    {"ini_roundtrip", IniRoundtrip},
    {"prompt_memory", PromptMemory},
  };
  return operations;
}

}  // namespace

int main(int argc, char** argv) {
  const auto& operations = Operations();
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const auto& [name, run] : operations)
      std::printf("%s\n", name.c_str());
    return 0;
  }
  auto it = argc == 2 ? operations.find(argv[1]) : operations.end();
  if (it == operations.end()) {
    std::fprintf(stderr, "usage: scrapdeck-opcount --list | OPERATION\n");
    return 2;
  }
  const bool ok = it->second();
  if (plugin.handle) stand::UnloadPlugin(plugin);
  return ok ? 0 : 1;
}
