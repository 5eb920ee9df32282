#include "app/win32/SingleInstance.h"

#include <gtest/gtest.h>

namespace vd::win32 {
namespace {

TEST(SingleInstanceTest, ASecondAcquireOfTheNameFailsUntilTheFirstHandleCloses) {
  const std::u16string name = u"VardelTestsSingleInstance";
  {
    TSingleInstance first;
    ASSERT_TRUE(first.Acquire(name));
    TSingleInstance second;
    EXPECT_FALSE(second.Acquire(name));
    first.Release();
    // Released, but the handle stays open: the name is still taken.
    EXPECT_FALSE(second.Acquire(name));
  }
  TSingleInstance third;
  EXPECT_TRUE(third.Acquire(name));
}

}  // namespace
}  // namespace vd::win32
