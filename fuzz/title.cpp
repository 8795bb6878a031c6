// A recording's name on arbitrary bytes, down the road the prompt takes: the title (the
// name without its 4-character extension) is wrapped into lines of 34 characters, and the
// message box draws them with the standard fonts. The wrapped text lies in a buffer full
// of non-zero bytes, as the prompt's own buffer on a used stack does.
#include <string.h>

#include "core/fmtstring.h"
#include "core/stopped_file.h"
#include "fuzz/fuzz.h"
#include "lib/osd/messagebox.h"
#include "stand/stand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // name (as the disk hands it over: cut at its first NUL)
  std::string name(reinterpret_cast<const char*>(data), size);
  name = name.substr(0, name.find('\0'));
  if (name.size() < 4 || name.size() - 4 >= FILETITLE_SIZE) return 0;  // no prompt for it
  fuzz::BeginInput();
  static const std::string missing = stand::InstallStandardFonts();
  fuzz::Check(missing.empty(), "the standard fonts are on the disk");

  std::vector<char> title = fuzz::Exact(name.substr(0, name.size() - 4));
  enum : int { WRAPPED_SIZE = 254, LINE_LENGTH = 34 };
  std::vector<char> wrapped(WRAPPED_SIZE, '\xA5');
  fmtstring(wrapped.data(), WRAPPED_SIZE, title.data(), LINE_LENGTH, -1, default_separator_list);
  fuzz::Check(memchr(wrapped.data(), 0, wrapped.size()) != nullptr, "the wrapped title is ended");
  for (const char* line = wrapped.data(); *line;) {
    const char* end = strchr(line, '\n');
    const size_t length = end ? size_t(end - line) : strlen(line);
    fuzz::Check(length <= LINE_LENGTH, "no line is longer than the line length");
    line += length + (end ? 1 : 0);
  }

  OSDMenuMessageBoxInitialize("Playback stopped", wrapped.data());
  OSDMenuMessageBoxButtonAdd("Delete");
  OSDMenuMessageBoxButtonAdd("Keep");
  OSDMenuMessageBoxButtonSelect(1);
  OSDMenuMessageBoxShow();
  fuzz::Check(OSDMenuMessageBoxIsVisible(), "the prompt is up");
  OSDMenuMessageBoxDestroy();
  fuzz::Check(fuzz::LiveBlocks() == 0, "a closed prompt keeps no memory");
  return 0;
}
