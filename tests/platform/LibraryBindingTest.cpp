// Binding a library's functions by name: all of them or none.

#include "platform/LibraryBinding.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

using TFunction = int(int);

struct TTable {
  TFunction* First = nullptr;
  TFunction* Second = nullptr;
};

class LibraryBindingTest : public ::testing::Test {
protected:
  platform::TMemoryPlatform FSystem;
  TTable FTable;
};

TEST_F(LibraryBindingTest, EveryNameFoundStoresEveryAddressAndKeepsTheLibraryUntilTheEnd) {
  FSystem.Libraries.AddLibrary(u"hid.dll", {"First", "Second"});
  {
    const TLibraryBinding binding(u"hid.dll", {{"First", FTable.First}, {"Second", FTable.Second}});
    EXPECT_TRUE(binding.Bound());
    EXPECT_TRUE(binding.LibraryFound());
    EXPECT_NE(FTable.First, nullptr);
    EXPECT_NE(FTable.Second, nullptr);
    EXPECT_NE(reinterpret_cast<void*>(FTable.First), reinterpret_cast<void*>(FTable.Second));
    EXPECT_EQ(FSystem.Libraries.LoadedCount(), 1);
  }
  EXPECT_EQ(FSystem.Libraries.LoadedCount(), 0);
}

TEST_F(LibraryBindingTest, OneMissingNameReleasesTheLibraryAndStoresNothing) {
  FSystem.Libraries.AddLibrary(u"hid.dll", {"First"});
  const TLibraryBinding binding(u"hid.dll", {{"First", FTable.First}, {"Second", FTable.Second}});
  EXPECT_FALSE(binding.Bound());
  EXPECT_TRUE(binding.LibraryFound());
  EXPECT_EQ(FTable.First, nullptr);
  EXPECT_EQ(FTable.Second, nullptr);
  EXPECT_EQ(FSystem.Libraries.LoadedCount(), 0);
}

TEST_F(LibraryBindingTest, AMissingLibraryBindsNothing) {
  const TLibraryBinding binding(u"setupapi.dll", {{"First", FTable.First}});
  EXPECT_FALSE(binding.Bound());
  EXPECT_FALSE(binding.LibraryFound());
  EXPECT_EQ(FTable.First, nullptr);
  EXPECT_EQ(FSystem.Libraries.LoadCalls(), 1);
}

}  // namespace
}  // namespace vd
