// Fixture for tests that run toolkit code against the stand.
#ifndef SCRAPDECK_TESTS_SUPPORT_STAND_TEST_H
#define SCRAPDECK_TESTS_SUPPORT_STAND_TEST_H

#include <gtest/gtest.h>

#include "stand/stand.h"

// Forgets what the toolkit learned from the firmware (cached addresses, learned
// values), as if the plug-in had just been started.
void ResetToolkitState();

class StandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stand::Reset();
    ResetToolkitState();
  }
};

#endif
