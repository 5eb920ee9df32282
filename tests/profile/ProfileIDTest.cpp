#include "profile/ProfileID.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

using platform::TRootKey;

constexpr char16_t kKey[] = u"software\\Vardelngmmouse";

TEST(ProfileIDTest, ProfileIDIsWrittenAsA32BitValueIntoAnExistingKey) {
  platform::TMemoryPlatform system;
  system.Registry.SetValue(TRootKey::CurrentUser, kKey, u"ProfileID", platform::REG_DWORD_TYPE, {1, 0, 0, 0});
  EXPECT_TRUE(WriteProfileID(3));
  const platform::TMemoryRegValue* value = system.Registry.Value(TRootKey::CurrentUser, kKey, u"ProfileID");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->Type, platform::REG_DWORD_TYPE);
  EXPECT_EQ(value->Data, (platform::TBytes{3, 0, 0, 0}));
}

TEST(ProfileIDTest, WithoutTheKeyNothingIsWrittenAndTheKeyIsNotCreated) {
  platform::TMemoryPlatform system;
  EXPECT_FALSE(WriteProfileID(4));
  EXPECT_FALSE(system.Registry.KeyExists(TRootKey::CurrentUser, kKey));
}

TEST(ProfileIDTest, AFailedWriteRaisesTheFrameworkText) {
  platform::TMemoryPlatform system;
  system.Registry.SetValue(TRootKey::CurrentUser, kKey, u"T362Profile.pfd", platform::REG_BINARY_TYPE, {});
  system.Faults.Fail("WriteDWord");
  try {
    WriteProfileID(1);
    FAIL() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), u"Failed to set data for 'ProfileID'");
  }
}

}  // namespace
}  // namespace vd
