// Trace entries as lines.
#include "stand/trace.h"

#include <cinttypes>
#include <cstdio>

namespace stand {
namespace {

struct Shape {
  const char* name;
  // One letter a part of the line: 'd' a number in decimal, 'c' a colour, 'x' a number in
  // hex, 's' two numbers as a size "WxH" (or the text, when there is one), 't' the text.
  const char* parts;
};

// In the order of Call.
constexpr Shape kShapes[] = {
    {"StopTs", ""},
    {"StopMp3", ""},
    {"StopRecord", "d"},
    {"delete", "t"},
    {"remove", "t"},
    {"Create", "dddddx"},
    {"Delete", "d"},
    {"Sync", ""},
    {"FillBox", "dddddc"},
    {"Draw3dBoxFill", "dddddccc"},
    {"DrawRectangle", "ddddddc"},
    {"PutGd", "dddsd"},
    {"PutS", "ddddccddddt"},
    {"Copy", "ddddddddd"},
    {"SaveBox", "ddddd"},
    {"RestoreBox", "ddddd"},
    {"ExitNormal", ""},
    {"EnterNormal", ""},
    {"SysOsdControl", "dd"},
};
static_assert(sizeof kShapes / sizeof kShapes[0] == size_t(Call::SysOsdControl) + 1);

const Shape& ShapeOf(Call call) {
  return kShapes[size_t(call)];
}

}  // namespace

bool operator==(const TraceEntry& a, const TraceEntry& b) {
  return a.call == b.call && a.numbers == b.numbers && a.text == b.text;
}
bool operator!=(const TraceEntry& a, const TraceEntry& b) {
  return !(a == b);
}

std::string Line(const TraceEntry& entry) {
  const Shape& shape = ShapeOf(entry.call);
  std::string line = shape.name;
  size_t n = 0;
  auto next = [&]() { return n < entry.numbers.size() ? entry.numbers[n++] : 0; };
  for (const char* part = shape.parts; *part; ++part) {
    char text[48];
    switch (*part) {
      case 'c':
        std::snprintf(text, sizeof text, "%08" PRIX32, uint32_t(next()));
        break;
      case 'x':
        std::snprintf(text, sizeof text, "%" PRIX32, uint32_t(next()));
        break;
      case 's': {
        int64_t width = next(), height = next();
        if (!entry.text.empty()) {
          line += " " + entry.text;
          continue;
        }
        std::snprintf(text, sizeof text, "%" PRId64 "x%" PRId64, width, height);
        break;
      }
      case 't':
        line += " " + entry.text;
        continue;
      default:
        std::snprintf(text, sizeof text, "%" PRId64, next());
    }
    line += ' ';
    line += text;
  }
  return line;
}

std::ostream& operator<<(std::ostream& out, const TraceEntry& entry) {
  return out << '"' << Line(entry) << '"';
}

bool IsColour(Call call, size_t index) {
  size_t n = 0;
  for (const char* part = ShapeOf(call).parts; *part; ++part) {
    if (*part == 't') continue;
    size_t width = *part == 's' ? 2 : 1;
    if (index < n + width) return *part == 'c';
    n += width;
  }
  return false;
}

}  // namespace stand
