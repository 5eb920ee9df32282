#include "keys/ksHook.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

const std::vector<std::string> kAllExports = {"EnableKeyboardHook", "DisableKeyboardHook", "EnableMouseHook",
                                              "DisableMouseHook"};

TEST(ksHookTest, AMissingLibraryIsReportedOnceWithTheExactBox) {
  platform::TMemoryPlatform system;
  TComponent form(nullptr);
  auto* hook = new TksHook(&form);
  EXPECT_FALSE(hook->DLLLoaded());
  ASSERT_EQ(system.UI.FMessageBoxes.size(), 1u);
  EXPECT_EQ(system.UI.FMessageBoxes[0].Text, u"ksHook.dll can not be found!");
  EXPECT_EQ(system.UI.FMessageBoxes[0].Caption, u"Error");
  EXPECT_EQ(system.UI.FMessageBoxes[0].Flags, 0x10u);  // error icon, OK button
}

TEST(ksHookTest, ALibraryWithAllFourEntriesStaysLinkedUntilTheComponentGoes) {
  platform::TMemoryPlatform system;
  system.Libraries.AddLibrary(u"KSHOOK.DLL", kAllExports);
  {
    TComponent form(nullptr);
    auto* first = new TksHook(&form);
    auto* second = new TksHook(&form);  // shares the process-wide link
    EXPECT_TRUE(first->DLLLoaded());
    EXPECT_TRUE(second->DLLLoaded());
    EXPECT_EQ(system.Libraries.LoadCalls(), 1);
    EXPECT_EQ(system.Libraries.LoadedCount(), 1);
  }
  EXPECT_EQ(system.Libraries.LoadedCount(), 0);
  EXPECT_TRUE(system.UI.FMessageBoxes.empty());
}

TEST(ksHookTest, ALibraryLackingAnEntryIsUnloadedWithoutAMessage) {
  platform::TMemoryPlatform system;
  system.Libraries.AddLibrary(u"ksHook.dll", {"EnableKeyboardHook", "DisableKeyboardHook", "EnableMouseHook"});
  TComponent form(nullptr);
  auto* hook = new TksHook(&form);
  EXPECT_FALSE(hook->DLLLoaded());
  EXPECT_EQ(system.Libraries.LoadedCount(), 0);
  EXPECT_TRUE(system.UI.FMessageBoxes.empty());
}

TEST(ksHookTest, AComponentInADesignerLinksNothing) {
  platform::TMemoryPlatform system;
  TComponent form(nullptr);
  form.SetDesigning(true);
  auto* hook = new TksHook(&form);
  EXPECT_FALSE(hook->DLLLoaded());
  EXPECT_EQ(system.Libraries.LoadCalls(), 0);
  EXPECT_TRUE(system.UI.FMessageBoxes.empty());
}

}  // namespace
}  // namespace vd
