// The real platform seam against the system under Wine: registry, files, INI files,
// libraries and locale.

#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"

namespace vd::platform {
namespace {

using win32::W;

constexpr char16_t kTestKey[] = u"software\\VardelTests\\Platform";

class Win32PlatformTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, W(std::u16string(kTestKey)));
    FFolder = FFiles.ProgramFolder() + u"platform-test";
    RemoveDirectoryTree();
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, W(std::u16string(kTestKey)));
    RemoveDirectoryTree();
  }
  void RemoveDirectoryTree() {
    for (const char16_t* name : {u"\\data.pfd", u"\\data.pfd.new", u"\\config.ini"}) DeleteFileW(W(FFolder + name));
    RemoveDirectoryW(W(FFolder));
  }

  TWin32Registry FRegistry;
  TWin32FileSystem FFiles;
  std::u16string FFolder;
};

TEST_F(Win32PlatformTest, RegistryKeysOpenOnlyWhenAskedToCreate) {
  EXPECT_EQ(FRegistry.OpenKey(TRootKey::CurrentUser, kTestKey, false), nullptr);
  auto key = FRegistry.OpenKey(TRootKey::CurrentUser, kTestKey, true);
  ASSERT_NE(key, nullptr);
  EXPECT_NE(FRegistry.OpenKey(TRootKey::CurrentUser, kTestKey, false), nullptr);
  EXPECT_FALSE(key->ValueInfo(u"Missing").has_value());
}

TEST_F(Win32PlatformTest, RegistryValuesRoundTripWithTheirTypes) {
  auto key = FRegistry.OpenKey(TRootKey::CurrentUser, kTestKey, true);
  ASSERT_NE(key, nullptr);
  TBytes record(30964);
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(key->WriteBinary(u"T362ProfileSettingGroup.pfd", record.data(), record.size()));
  ASSERT_TRUE(key->WriteDWord(u"ProfileID", 4));

  const auto info = key->ValueInfo(u"t362profilesettinggroup.pfd");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->Type, REG_BINARY_TYPE);
  EXPECT_EQ(info->Size, 30964u);
  TBytes read;
  ASSERT_TRUE(key->ReadValue(u"T362ProfileSettingGroup.pfd", read));
  EXPECT_EQ(read, record);

  ASSERT_TRUE(key->ReadValue(u"ProfileID", read));
  EXPECT_EQ(read, (TBytes{4, 0, 0, 0}));
  EXPECT_EQ(key->ValueInfo(u"ProfileID")->Type, REG_DWORD_TYPE);
}

TEST_F(Win32PlatformTest, FilesAreWrittenWholeAndReplaced) {
  EXPECT_FALSE(FFiles.DirectoryExists(FFolder));
  EXPECT_EQ(FFiles.MakeDirectory(FFolder), 0u);
  EXPECT_EQ(FFiles.MakeDirectory(FFolder), static_cast<std::uint32_t>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(FFiles.MakeDirectory(FFolder + u"\\a\\b"), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  const std::u16string path = FFolder + u"\\data.pfd";
  TBytes data;
  EXPECT_EQ(FFiles.ReadFile(path, data), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));

  const TBytes first(120256, 0xAB), second{1, 2, 3};
  ASSERT_EQ(FFiles.WriteFile(path, first.data(), first.size()), 0u);
  ASSERT_EQ(FFiles.WriteFile(path, second.data(), second.size()), 0u);
  EXPECT_TRUE(FFiles.FileExists(path));
  EXPECT_FALSE(FFiles.FileExists(path + u".new"));
  EXPECT_FALSE(FFiles.FileExists(FFolder));
  ASSERT_EQ(FFiles.ReadFile(path, data), 0u);
  EXPECT_EQ(data, second);
}

TEST_F(Win32PlatformTest, SystemErrorTextsCarryNoTrailingFullStop) {
  const std::u16string text = FFiles.SystemErrorMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), u'.');
  EXPECT_NE(text.back(), u'\n');
}

TEST_F(Win32PlatformTest, IniValuesAreReadWithTheSystemsRules) {
  ASSERT_EQ(FFiles.MakeDirectory(FFolder), 0u);
  const std::string text = "[IncludeHIDDeviceList]\r\nid1 = HID\\VID_1234 \r\nid2=\"quoted\"\r\n";
  const std::u16string file = FFolder + u"\\config.ini";
  ASSERT_EQ(FFiles.WriteFile(file, text.data(), text.size()), 0u);
  TWin32IniFiles ini;
  EXPECT_EQ(ini.ReadString(file, u"includehiddevicelist", u"ID1", u""), u"HID\\VID_1234");
  EXPECT_EQ(ini.ReadString(file, u"IncludeHIDDeviceList", u"id2", u""), u"quoted");
  EXPECT_EQ(ini.ReadString(file, u"IncludeHIDDeviceList", u"id3", u"none"), u"none");
}

TEST_F(Win32PlatformTest, LibrariesLoadFromTheSystemFolderByNameOnly) {
  TWin32Libraries libraries;
  for (TLibrarySearch search : {TLibrarySearch::SystemFolderOnly, TLibrarySearch::ProgramFolderFirst}) {
    TLibraryHandle kernel = libraries.Load(u"kernel32.dll", search);
    ASSERT_NE(kernel, nullptr);
    EXPECT_NE(libraries.Symbol(kernel, "GetTickCount"), nullptr);
    EXPECT_EQ(libraries.Symbol(kernel, "NoSuchEntry"), nullptr);
    libraries.Free(kernel);
    EXPECT_EQ(libraries.Load(u"no-such-library.dll", search), nullptr);
  }
}

// The hook library is built beside this test program, as it ships beside the monitor.
TEST_F(Win32PlatformTest, ALibraryBesideTheProgramIsTheSuitesOwnAndNeverASystemOne) {
  TWin32Libraries libraries;
  EXPECT_EQ(libraries.Load(u"ksHook.dll", TLibrarySearch::SystemFolderOnly), nullptr);
  TLibraryHandle hook = libraries.Load(u"ksHook.dll", TLibrarySearch::ProgramFolderFirst);
  ASSERT_NE(hook, nullptr);
  EXPECT_NE(libraries.Symbol(hook, "EnableMouseHook"), nullptr);
  libraries.Free(hook);
}

TEST_F(Win32PlatformTest, LocaleAndClock) {
  TWin32Locale locale;
  EXPECT_EQ(locale.CompareText(u"Config", u"CONFIG", true), 0);
  EXPECT_NE(locale.CompareText(u"Config", u"CONFIG", false), 0);
  EXPECT_LT(locale.CompareText(u"About", u"Config", false), 0);
  EXPECT_EQ(locale.UserAbbrevLangName().size(), 3u);
  TWin32Clock clock;
  EXPECT_GT(clock.LocalDateTime(), 45000.0);  // after 2023
}

}  // namespace
}  // namespace vd::platform
