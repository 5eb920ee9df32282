#include "app/win32/SingleInstance.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include "platform/win32/StringConversions.h"

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

TEST(SingleInstanceTest, AMonitorWhoseMutexCannotBeOpenedWithFullAccessStillCountsAsRunning) {
  // As a monitor started elevated leaves it: everyone may only wait on the mutex.
  const std::u16string name = u"VardelTestsGuardedInstance";
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x100000;;;WD)", SDDL_REVISION_1,
                                                                   &attributes.lpSecurityDescriptor, nullptr));
  TUniqueHandle other(CreateMutexW(&attributes, TRUE, W(name)));
  LocalFree(attributes.lpSecurityDescriptor);
  ASSERT_TRUE(other);
  ASSERT_EQ(OpenMutexW(0x1F0001, FALSE, W(name)), nullptr);
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  TSingleInstance second;
  EXPECT_FALSE(second.Acquire(name));
}

}  // namespace
}  // namespace vd::win32
