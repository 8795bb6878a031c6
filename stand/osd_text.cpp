// The firmware's own text output (TAP_Osd_PutS, TAP_Osd_GetW) with its built-in font.
//
// The built-in font at size selectors 0, 1 and 2 comes from UFNT files that the build
// makes. A glyph is drawn from the top of the text line; its coverage blends the fore
// colour over the back colour, or over the pixel already there when the back colour is 0.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "stand/osd_internal.h"
#include "stand/stand.h"

#ifndef SCRAPDECK_STAND_FONT_DIR
#error "SCRAPDECK_STAND_FONT_DIR names the folder of the firmware font files"
#endif

namespace stand::osd {
namespace {

constexpr size_t UFNT_HEADER = 8;
constexpr size_t UFNT_GLYPH_DEF = 12;

struct Glyph {
  size_t offset = 0;  // of the coverage bytes in the file
  dword width = 0;
  dword height = 0;
};

struct Font {
  bool loaded = false;
  std::string bytes;
  std::map<uint32_t, Glyph> glyphs;
  dword lineHeight = 0;
};

uint32_t Le32(const std::string& b, size_t at) {
  return uint32_t(byte(b[at])) | uint32_t(byte(b[at + 1])) << 8 | uint32_t(byte(b[at + 2])) << 16 |
         uint32_t(byte(b[at + 3])) << 24;
}
uint32_t Le16(const std::string& b, size_t at) {
  return uint32_t(byte(b[at])) | uint32_t(byte(b[at + 1])) << 8;
}

// Reads a UFNT file. Definitions whose bitmap lies beyond the file's end are left out.
bool ReadUfnt(const std::string& path, Font& font) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  font.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const std::string& b = font.bytes;
  if (b.size() < UFNT_HEADER || b.compare(0, 4, "UFNT") != 0) return false;
  uint64_t count = Le32(b, 4);
  if (count > (b.size() - UFNT_HEADER) / UFNT_GLYPH_DEF) return false;
  for (uint64_t i = 0; i < count; ++i) {
    size_t at = UFNT_HEADER + i * UFNT_GLYPH_DEF;
    Glyph g{Le32(b, at + 4), Le16(b, at + 8), Le16(b, at + 10)};
    if (g.offset > b.size() || uint64_t(g.width) * g.height > b.size() - g.offset) continue;
    // The first definition of a code point counts.
    font.glyphs.emplace(Le32(b, at), g);
    font.lineHeight = std::max(font.lineHeight, g.height);
  }
  return true;
}

const Font* FirmwareFont(byte fontSize) {
  static std::map<std::string, Font> fonts;  // by path; the files do not change during a run
  int selector = fontSize > 2 ? 2 : fontSize;
  const char* dir = std::getenv("SCRAPDECK_STAND_FONT_DIR");
  std::string path = std::string(dir && *dir ? dir : SCRAPDECK_STAND_FONT_DIR) + "/Firmware_" +
                     std::to_string(selector) + ".ufnt";
  auto [it, added] = fonts.try_emplace(path);
  if (added) {
    it->second.loaded = ReadUfnt(path, it->second);
    if (!it->second.loaded) it->second = Font{};
  }
  if (!it->second.loaded) {
    LogLine("firmware font " + path + " cannot be read");
    return nullptr;
  }
  return &it->second;
}

// The code points of a text: UTF-8 when the whole text is valid UTF-8, else Latin-1.
std::vector<uint32_t> CodePoints(const char* text) {
  std::vector<uint32_t> utf8;
  const auto* p = reinterpret_cast<const byte*>(text);
  bool valid = true;
  while (*p && valid) {
    uint32_t c = *p;
    int more = c < 0x80             ? 0
               : (c & 0xE0) == 0xC0 ? 1
               : (c & 0xF0) == 0xE0 ? 2
               : (c & 0xF8) == 0xF0 ? 3
                                    : -1;
    if (more < 0) {
      valid = false;
      break;
    }
    if (more) c &= 0x3F >> more;
    for (int i = 1; i <= more; ++i) {
      if ((p[i] & 0xC0) != 0x80) {  // also stops at the terminator
        valid = false;
        break;
      }
      c = c << 6 | (p[i] & 0x3F);
    }
    static const uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (!valid || c < smallest[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      valid = false;
      break;
    }
    utf8.push_back(c);
    p += more + 1;
  }
  if (valid) return utf8;
  std::vector<uint32_t> latin1;
  for (p = reinterpret_cast<const byte*>(text); *p; ++p)
    latin1.push_back(*p);
  return latin1;
}

// The glyphs of a text; characters the font lacks take no room.
std::vector<const Glyph*> Glyphs(const Font& font, const char* text) {
  std::vector<const Glyph*> list;
  for (uint32_t c : CodePoints(text)) {
    auto it = font.glyphs.find(c);
    if (it != font.glyphs.end()) list.push_back(&it->second);
  }
  return list;
}

int64_t Width(const std::vector<const Glyph*>& glyphs) {
  int64_t width = 0;
  for (const Glyph* g : glyphs)
    width += g->width;
  return width;
}

int PutS(word handle, dword x, dword y, dword maxX, const char* text, dword foreground,
         dword background, byte fontType, byte fontSize, byte dotted, byte align) {
  Trace({Call::PutS,
         {handle, x, y, maxX, foreground, background, fontType, fontSize, dotted, align},
         text ? text : "(null)"});
  Region* r = Find(handle);
  if (!r) {
    LogLine("TAP_Osd_PutS on region " + std::to_string(handle) + ", which does not exist");
    return -1;
  }
  const Font* font = FirmwareFont(fontSize);
  if (!text || !font) return -1;
  std::vector<const Glyph*> glyphs = Glyphs(*font, text);
  int64_t room = int64_t(maxX) - x;
  int64_t width = Width(glyphs);
  int64_t pen = x;
  if (width < room) {
    if (align == 1) pen += (room - width) / 2;
    if (align == 2) pen += room - width;
  }
  for (const Glyph* g : glyphs) {
    // Text is cut at the right limit: a character that does not fit whole ends it.
    if (pen + g->width > maxX) break;
    const auto* coverage = reinterpret_cast<const byte*>(font->bytes.data() + g->offset);
    Rect c;
    if (Clip(*r, pen, y, g->width, g->height, c)) {
      for (dword py = c.y; py < c.y + c.height; ++py)
        for (dword px = c.x; px < c.x + c.width; ++px) {
          unsigned cover = coverage[size_t(py - y) * g->width + size_t(px - pen)];
          dword& p = r->At(px, py);
          if (background) {
            p = Mix(foreground, background, cover);
          } else if (cover) {
            dword alpha = (foreground >> 24) * cover / 255;
            p = Over((foreground & 0x00FFFFFF) | alpha << 24, p);
          }
        }
    }
    pen += g->width;
  }
  return 0;
}

dword GetW(const char* text, byte, byte fontSize) {
  const Font* font = FirmwareFont(fontSize);
  if (!text || !font) return 0;
  return dword(Width(Glyphs(*font, text)));
}

}  // namespace

void ResetText() {
  TAP_Osd_PutS = PutS;
  TAP_Osd_GetW = GetW;
}

}  // namespace stand::osd

namespace stand {

dword FirmwareTextWidth(const std::string& text, byte fontSize) {
  return osd::GetW(text.c_str(), 0, fontSize);
}

dword FirmwareLineHeight(byte fontSize) {
  const osd::Font* font = osd::FirmwareFont(fontSize);
  return font ? font->lineHeight : 0;
}

}  // namespace stand
