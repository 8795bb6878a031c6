#include "lib/text/text.h"

word Big5ToUnicode(word big5Code) {
  // Bisection over the sorted, unique codes (the closing zero record excluded).
  int low = 0;
  int high = BIG5_TRANSLATION_RECORDS - 1;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    const word code = Big5Translation[middle].Big5;
    if (code == big5Code) return Big5Translation[middle].Unicode;
    if (code < big5Code) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return 0;
}
