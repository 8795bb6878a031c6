#include "lib/osd/messagewin.h"

namespace {

enum : dword {
  NOTICE_BORDER = 0xFF9C9C9C,
  NOTICE_TITLE = 0xFFFFFF52,
  NOTICE_LINE = 0xFFE6FFE6,
  NOTICE_BACKGROUND = 0xFF192952,
};

}  // namespace

void ShowMessageWin(const char* title, const char* line1, const char* line2, dword delay) {
  const char* content[] = {title, line1, line2, nullptr};
  ShowMessageWindow(content, SCREEN_WIDTH, SCREEN_HEIGHT, 2, 1, NOTICE_BORDER, NOTICE_TITLE,
                    NOTICE_LINE, NOTICE_BACKGROUND, delay);
}
