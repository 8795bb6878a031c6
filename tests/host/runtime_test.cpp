#include "host/runtime.h"

#include "tests/support/stand_test.h"

namespace {

using Runtime = StandTest;

TEST_F(Runtime, ObjectAllocationIsTracedAndComesFromTheHost) {
  void* block = ObjectAlloc(24);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(stand::Log(), "__builtin_new. size=24\n");
  EXPECT_EQ(stand::BlockSize(block), 24u);
  ObjectFree(block);
  EXPECT_EQ(stand::Memory().liveBlocks, 0u);

  stand::FailAllocation(1);
  EXPECT_EQ(ObjectAlloc(8), nullptr);
  ObjectFree(nullptr);
}

}  // namespace
