#pragma once
// The real platform: the Win32 API behind the platform seam (wide functions only).

#include "platform/Platform.h"

namespace vd::platform {

class TWin32Registry : public IRegistry {
public:
  std::unique_ptr<IRegistryKey> OpenKey(TRootKey root, std::u16string_view path, bool create) override;
};

class TWin32FileSystem : public IFileSystem {
public:
  bool FileExists(std::u16string_view path) override;
  bool DirectoryExists(std::u16string_view path) override;
  std::uint32_t MakeDirectory(std::u16string_view path) override;
  std::uint32_t ReadFile(std::u16string_view path, TBytes& data) override;
  std::uint32_t WriteFile(std::u16string_view path, const void* data, std::size_t size) override;
  std::u16string SystemErrorMessage(std::uint32_t code) override;
  std::u16string ProgramFolder() override;
  std::u16string DocumentsFolder() override;
};

class TWin32IniFiles : public IIniFiles {
public:
  std::u16string ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue) override;
};

class TWin32Locale : public ILocale {
public:
  std::uint16_t SystemDefaultLangID() override;
  std::u16string UserAbbrevLangName() override;
  int CompareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) override;
};

class TWin32Clock : public IClock {
public:
  double LocalDateTime() override;
  std::uint32_t TickCount() override;
};

class TWin32Libraries : public ILibraries {
public:
  TLibraryHandle Load(std::u16string_view fileName, TLibrarySearch search) override;
  void* Symbol(TLibraryHandle library, const char* name) override;
  void Free(TLibraryHandle library) override;
};

class TWin32UserInterface : public IUserInterface {
public:
  int ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;
  void DebugOutput(std::u16string_view text) override;
};

// Data resources are RCDATA resources of the program; stored descriptions are named after
// their class.
class TWin32Resources : public IResources {
public:
  std::span<const std::uint8_t> StoredForm(std::u16string_view className) override;
  std::span<const std::uint8_t> DataResource(std::u16string_view name) override;
};

// The real platform, installed for the object's lifetime.
class TWin32Platform {
public:
  TWin32Platform();

private:
  TWin32Registry FRegistry;
  TWin32FileSystem FFiles;
  TWin32IniFiles FIni;
  TWin32Locale FLocale;
  TWin32Clock FClock;
  TWin32Libraries FLibraries;
  TWin32UserInterface FUI;
  TWin32Resources FResources;
  TPlatformScope FScope;
};

}  // namespace vd::platform
