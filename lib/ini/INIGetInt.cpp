#include "lib/ini/ini.h"

int INIGetInt(const char* key, int defaultValue, int minValue, int maxValue) {
  if (!key) return 0;
  char pattern[INI_PATTERN_SIZE];
  dword patternLength = INIMakePattern(key, pattern);
  char* start = nullptr;
  char* end = nullptr;
  INIFindStartEnd(pattern, &start, &end, patternLength + INI_VALUE_CHECK_LENGTH);
  if (!start || !end || end < start + patternLength) return defaultValue;

  const char* value = start + patternLength;
  for (const char* p = value; p <= end; ++p) {
    bool sign = p == value && *p == '-' && p != end;
    if (!sign && (*p < '0' || *p > '9')) return defaultValue;
  }
  // Only the first characters are checked, but the number runs on through every
  // digit that follows. One too large for 32 bits stays at the end of the range
  // its sign points to, so that it clamps to min or max as a reader expects.
  bool negative = *value == '-';
  const char* p = negative ? value + 1 : value;
  long long magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > 0x80000000LL) magnitude = 0x80000000LL;
  }
  long long number = negative ? -magnitude : magnitude;
  if (number > 0x7FFFFFFFLL) number = 0x7FFFFFFFLL;
  int result = static_cast<int>(number);
  if (result < minValue) return minValue;
  if (result > maxValue) return maxValue;
  return result;
}
