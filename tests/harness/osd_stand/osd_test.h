// Shared helpers of the on-screen display tests.
#ifndef SCRAPDECK_TESTS_HARNESS_OSD_STAND_OSD_TEST_H
#define SCRAPDECK_TESTS_HARNESS_OSD_STAND_OSD_TEST_H

#include <string>
#include <vector>

#include "tests/support/stand_test.h"
#include "tests/support/trace.h"

// A region's pixels row by row, for comparing whole regions at once.
inline std::vector<dword> RegionPixels(word region) {
  std::vector<dword> pixels;
  for (const auto& r : stand::Regions())
    if (r.handle == region)
      for (dword y = 0; y < r.height; ++y)
        for (dword x = 0; x < r.width; ++x)
          pixels.push_back(stand::RegionPixel(region, x, y));
  return pixels;
}

// Packs width x height ARGB pixels into compression method 2 data.
std::vector<byte> PackPixels(const std::vector<dword>& argb);

#endif
