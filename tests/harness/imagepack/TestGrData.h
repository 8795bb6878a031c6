// The host graphic descriptor as the plug-in's host header declares it, for the picture that
// the tests pack at build time.
#ifndef SCRAPDECK_TESTS_HARNESS_IMAGEPACK_TESTGRDATA_H
#define SCRAPDECK_TESTS_HARNESS_IMAGEPACK_TESTGRDATA_H

#include <stdint.h>

struct TYPE_GrData {
  uint8_t version;
  uint8_t reserved;
  uint8_t dataFormat;
  uint8_t compressMethod;
  const uint8_t* data;
  uint32_t size;
  uint16_t width;
  uint16_t height;
};

extern const unsigned char _TestPicture_Cpm[];
extern TYPE_GrData _TestPicture_Gd;

#endif
