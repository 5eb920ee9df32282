#pragma once
// The platform in memory, for native tests: a registry, a file system, INI files, locale,
// clock, libraries and user interface whose state a test arranges and inspects, and which
// can be told to fail a given call.

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace vd::platform {

// Calls that fail on request. A test names the operation ("WriteBinary", "WriteFile", ...)
// and the system error number the call reports.
class TFaults {
public:
  void Fail(const std::string& operation, std::uint32_t errorCode = 5, int times = -1);
  void Clear() { FFaults.clear(); }
  // 0 when the call goes through, else the error number to report.
  std::uint32_t Check(const std::string& operation);

private:
  struct TFault {
    std::uint32_t ErrorCode;
    int Remaining;  // -1: every call
  };
  std::map<std::string, TFault> FFaults;
};

struct TMemoryRegValue {
  std::uint32_t Type = REG_NONE_TYPE;
  TBytes Data;
};

// Keys and value names are compared without regard to case, as the system does.
class TMemoryRegistry : public IRegistry {
public:
  explicit TMemoryRegistry(TFaults& faults) : FFaults(faults) {}
  std::unique_ptr<IRegistryKey> OpenKey(TRootKey root, std::u16string_view path, bool create) override;

  bool KeyExists(TRootKey root, std::u16string_view path) const;
  // The value, or nullptr when the key or the value does not exist.
  const TMemoryRegValue* Value(TRootKey root, std::u16string_view path, std::u16string_view name) const;
  void SetValue(TRootKey root, std::u16string_view path, std::u16string_view name, std::uint32_t type, TBytes data);
  void DeleteValue(TRootKey root, std::u16string_view path, std::u16string_view name);
  void DeleteKey(TRootKey root, std::u16string_view path);

private:
  friend class TMemoryRegistryKey;
  using TKey = std::map<std::u16string, TMemoryRegValue>;
  static std::u16string KeyId(TRootKey root, std::u16string_view path);
  TFaults& FFaults;
  std::map<std::u16string, TKey> FKeys;
};

class TMemoryFileSystem : public IFileSystem {
public:
  explicit TMemoryFileSystem(TFaults& faults);
  bool FileExists(std::u16string_view path) override;
  bool DirectoryExists(std::u16string_view path) override;
  std::uint32_t MakeDirectory(std::u16string_view path) override;
  std::uint32_t ReadFile(std::u16string_view path, TBytes& data) override;
  std::uint32_t WriteFile(std::u16string_view path, const void* data, std::size_t size) override;
  std::u16string SystemErrorMessage(std::uint32_t code) override;
  std::u16string ProgramFolder() override { return FProgramFolder; }
  std::u16string DocumentsFolder() override { return FDocumentsFolder; }

  // Creates every level of a folder.
  void AddFolder(std::u16string_view path);
  // Stores a file, creating its folders.
  void AddFile(std::u16string_view path, const std::string& content);
  void AddFile(std::u16string_view path, TBytes content);
  const TBytes* File(std::u16string_view path) const;
  void RemoveFile(std::u16string_view path);

  std::u16string FProgramFolder = u"C:\\Program Files\\Vardel\\";
  std::u16string FDocumentsFolder = u"C:\\users\\tester\\Documents";

private:
  static std::u16string PathId(std::u16string_view path);
  static std::u16string ParentOf(std::u16string_view path);
  TFaults& FFaults;
  std::set<std::u16string> FFolders;
  std::map<std::u16string, TBytes> FFiles;
};

// Reads INI files from the memory file system with the system's rules: sections and keys
// without regard to case, values trimmed and stripped of one pair of enclosing quotes.
class TMemoryIniFiles : public IIniFiles {
public:
  explicit TMemoryIniFiles(TMemoryFileSystem& files) : FFiles(files) {}
  std::u16string ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue) override;

private:
  TMemoryFileSystem& FFiles;
};

class TMemoryLocale : public ILocale {
public:
  std::uint16_t SystemDefaultLangID() override { return FSystemDefaultLangID; }
  std::u16string UserAbbrevLangName() override { return FUserAbbrevLangName; }
  int CompareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) override;

  std::uint16_t FSystemDefaultLangID = 0x0409;
  std::u16string FUserAbbrevLangName = u"ENU";
};

class TMemoryClock : public IClock {
public:
  double LocalDateTime() override { return FLocalDateTime; }
  std::uint32_t TickCount() override { return FTickCount; }

  double FLocalDateTime = 46365.5;  // 2026-12-09 12:00
  std::uint32_t FTickCount = 1000;
};

class TMemoryLibraries : public ILibraries {
public:
  enum class TFolder { Program, System };

  TLibraryHandle Load(std::u16string_view fileName, TLibrarySearch search) override;
  void* Symbol(TLibraryHandle library, const char* name) override;
  void Free(TLibraryHandle library) override;

  // A library in one of the folders that Load searches, with its exported names.
  void AddLibrary(std::u16string_view fileName, std::vector<std::string> exports, TFolder folder = TFolder::Program);
  int LoadedCount() const { return FLoadedCount; }
  int LoadCalls() const { return FLoadCalls; }

private:
  struct TLibrary {
    std::u16string FileName;
    std::vector<std::string> Exports;
    TFolder Folder;
  };
  TLibrary* Find(std::u16string_view fileName, TFolder folder);

  std::deque<TLibrary> FLibraries;  // handles are addresses: adding keeps them valid
  int FLoadedCount = 0;
  int FLoadCalls = 0;
};

struct TMessageBoxCall {
  std::u16string Text;
  std::u16string Caption;
  std::uint32_t Flags;
};

class TMemoryUserInterface : public IUserInterface {
public:
  int ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;
  void DebugOutput(std::u16string_view text) override { FDebugOutput.emplace_back(text); }

  std::vector<TMessageBoxCall> FMessageBoxes;
  std::vector<std::u16string> FDebugOutput;
};

class TMemoryResources : public IResources {
public:
  std::span<const std::uint8_t> StoredForm(std::u16string_view className) override;
  std::span<const std::uint8_t> DataResource(std::u16string_view name) override;
  void AddStoredForm(std::u16string_view className, TBytes description);
  // Adds a stored description compiled by the build, read from a file of the host.
  void AddStoredFormFile(std::u16string_view className, const std::string& hostPath);
  // Data resources and stored descriptions share one set of names, as on the system.
  void AddDataResource(std::u16string_view name, TBytes data) { AddStoredForm(name, std::move(data)); }
  void AddDataResourceFile(std::u16string_view name, const std::string& hostPath) { AddStoredFormFile(name, hostPath); }

private:
  std::map<std::u16string, TBytes> FForms;
};

// Everything above, installed as the process platform for the object's lifetime.
class TMemoryPlatform {
public:
  TMemoryPlatform();

  TFaults Faults;
  TMemoryRegistry Registry{Faults};
  TMemoryFileSystem Files{Faults};
  TMemoryIniFiles Ini{Files};
  TMemoryLocale Locale;
  TMemoryClock Clock;
  TMemoryLibraries Libraries;
  TMemoryUserInterface UI;
  TMemoryResources Resources;

private:
  TPlatformScope FScope;
};

}  // namespace vd::platform
