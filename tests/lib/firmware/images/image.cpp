// A plug-in image that carries identification sections and nothing else.
#include "host/tap.h"

#define TAP_SECTION(name) __attribute__((section(name), used))

#ifndef TEST_IMAGE_ID
#error "TEST_IMAGE_ID names the image's plug-in id"
#endif

template <int N>
struct Filled {
  char text[N];
};

// N bytes: the prefix, then 'X' up to the end, without a terminator.
template <int N>
constexpr Filled<N> Fill(const char* prefix) {
  Filled<N> filled{};
  int i = 0;
  for (; prefix[i] && i < N; ++i)
    filled.text[i] = prefix[i];
  for (; i < N; ++i)
    filled.text[i] = 'X';
  return filled;
}

extern "C" {
#ifdef TEST_IMAGE_WIDE_ID
TAP_SECTION("._tap_id") const unsigned long long TAP_ID = TEST_IMAGE_ID;
#else
TAP_SECTION("._tap_id") const dword TAP_ID = TEST_IMAGE_ID;
#endif

#ifdef TEST_IMAGE_LONG_TEXTS
// Each text fills its section without a terminator, and each section is longer
// than the field of the reader's info record.
TAP_SECTION("._tap_program_name") const Filled<100> LONG_PROGRAM_NAME = Fill<100>("");
TAP_SECTION("._tap_description") const Filled<300> TAP_DESCRIPTION = Fill<300>("");
TAP_SECTION("._tap_author_name") const Filled<64> TAP_AUTHOR_NAME = Fill<64>("");
TAP_SECTION("._tap_program_version") const Filled<80> TAP_VERSION = Fill<80>("");
TAP_SECTION("._tap_etcinfo") const Filled<200> TAP_ETCINFO = Fill<200>("Jul  4 202112:00:00");
#else
TAP_SECTION("._tap_program_name") const char TAP_PROGRAM_NAME[64] = "Test image";
TAP_SECTION("._tap_description") const char TAP_DESCRIPTION[128] = "Read by the image tests.";
TAP_SECTION("._tap_author_name") const char TAP_AUTHOR_NAME[64] = "Tester";
#ifndef TEST_IMAGE_BARE
TAP_SECTION("._tap_etcinfo") const char TAP_ETCINFO[64] = "Mar 14 201809:30:00";
TAP_SECTION("._tap_program_version") const char TAP_VERSION[64] = "2.0b";
#endif
#endif
TAP_SECTION("._tap_header") const char TAP_HEADER[32] = "TFAPMIPS\x10\0\0\0";
}
