// Identification sections that the recorder and other plug-ins read from the image
// file. Every text is NUL-padded to the size of its section.
//
// The build stamp is the build's date and time ("Mmm dd yyyy" then "hh:mm:ss", UTC),
// written by the build (cmake/Stamp.cmake) from SOURCE_DATE_EPOCH or the source's last
// commit, never from the clock, so builds reproduce.
#include "core/id.h"

#include "build_stamp.h"

#define TAP_SECTION(name) __attribute__((section(name), used))

extern "C" {
TAP_SECTION("._tap_id") const dword TAP_ID = SCRAPDECK_ID;
TAP_SECTION("._tap_program_name") const char TAP_PROGRAM_NAME[64] = SCRAPDECK_PROGRAM_NAME;
TAP_SECTION("._tap_description") const char TAP_DESCRIPTION[128] = SCRAPDECK_DESCRIPTION;
TAP_SECTION("._tap_author_name") const char TAP_AUTHOR_NAME[64] = SCRAPDECK_AUTHOR;
TAP_SECTION("._tap_etcinfo") const char TAP_ETCINFO[64] = SCRAPDECK_BUILD_STAMP;
// "TFAPMIPS", the header version 0x10 as a little-endian 32-bit word, 20 zero bytes.
TAP_SECTION("._tap_header") const char TAP_HEADER[32] = "TFAPMIPS\x10\0\0\0";
}
