// The device allocator's failure injection, which every rollback test uses.
#include <gtest/gtest.h>

#include "platform/memory/allocator.h"
#include "platform/testing/allocation.h"

TEST(Allocator, FailsExactlyTheNthAllocation) {
  devtest::AllocationFailure fail(3);
  void* a = DeviceAlloc(8);
  int* b = DeviceNew<int>(5);
  void* c = DeviceAlloc(8);
  void* d = DeviceAlloc(8);
  EXPECT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(*b, 5);
  EXPECT_EQ(c, nullptr);
  EXPECT_NE(d, nullptr);
  DeviceFree(a);
  delete b;
  DeviceFree(d);
}

TEST(Allocator, FailAllAfterAndReallocKeepsOldBlock) {
  char* p = static_cast<char*>(DeviceAlloc(4));
  ASSERT_NE(p, nullptr);
  p[0] = 'x';
  {
    devtest::AllocationFailure fail(1, true);
    EXPECT_EQ(DeviceRealloc(p, 1000), nullptr);
    EXPECT_EQ(DeviceAlloc(1), nullptr);
    EXPECT_EQ(DeviceNewArray<int>(3), nullptr);
  }
  EXPECT_EQ(p[0], 'x');
  DeviceFree(p);
}
