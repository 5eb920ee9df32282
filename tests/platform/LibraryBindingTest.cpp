// Binding a library's functions by name: all of them or none, from the folders asked for.

#include "platform/LibraryBinding.h"

#include <gtest/gtest.h>

#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

using TFunction = int(int);
using platform::TLibrarySearch;
using TFolder = platform::TMemoryLibraries::TFolder;

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
  FSystem.Libraries.AddLibrary(u"hid.dll", {"First", "Second"}, TFolder::System);
  {
    const TLibraryBinding binding(u"hid.dll", TLibrarySearch::SystemFolderOnly,
                                  {{"First", FTable.First}, {"Second", FTable.Second}});
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
  FSystem.Libraries.AddLibrary(u"hid.dll", {"First"}, TFolder::System);
  const TLibraryBinding binding(u"hid.dll", TLibrarySearch::SystemFolderOnly,
                                {{"First", FTable.First}, {"Second", FTable.Second}});
  EXPECT_FALSE(binding.Bound());
  EXPECT_TRUE(binding.LibraryFound());
  EXPECT_EQ(FTable.First, nullptr);
  EXPECT_EQ(FTable.Second, nullptr);
  EXPECT_EQ(FSystem.Libraries.LoadedCount(), 0);
}

TEST_F(LibraryBindingTest, AMissingLibraryBindsNothing) {
  const TLibraryBinding binding(u"setupapi.dll", TLibrarySearch::SystemFolderOnly, {{"First", FTable.First}});
  EXPECT_FALSE(binding.Bound());
  EXPECT_FALSE(binding.LibraryFound());
  EXPECT_EQ(FTable.First, nullptr);
  EXPECT_EQ(FSystem.Libraries.LoadCalls(), 1);
}

// A system library is never taken from beside the program; the suite's own prefers that copy.
TEST_F(LibraryBindingTest, EachSearchTakesTheFoldersItNames) {
  FSystem.Libraries.AddLibrary(u"setupapi.dll", {"First"}, TFolder::Program);
  EXPECT_FALSE(TLibraryBinding(u"setupapi.dll", TLibrarySearch::SystemFolderOnly, {{"First", FTable.First}}).Bound());
  FSystem.Libraries.AddLibrary(u"setupapi.dll", {"First", "Second"}, TFolder::System);
  EXPECT_TRUE(TLibraryBinding(u"setupapi.dll", TLibrarySearch::SystemFolderOnly, {{"Second", FTable.Second}}).Bound());
  EXPECT_FALSE(
      TLibraryBinding(u"setupapi.dll", TLibrarySearch::ProgramFolderFirst, {{"Second", FTable.Second}}).Bound());
  FSystem.Libraries.AddLibrary(u"ksHook.dll", {"First"}, TFolder::System);
  EXPECT_TRUE(TLibraryBinding(u"ksHook.dll", TLibrarySearch::ProgramFolderFirst, {{"First", FTable.First}}).Bound());
}

}  // namespace
}  // namespace vd
