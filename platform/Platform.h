#pragma once
// The seam between portable code and the operating system. Portable code reaches the
// system only through these interfaces; platform/win32 implements them with the real API,
// platform/memory in memory for native tests (with fault injection). Paths are Windows
// paths with backslashes in both.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vd::platform {

using TBytes = std::vector<std::uint8_t>;

// Registry value types, with the system's numbers.
enum TRegDataType : std::uint32_t {
  REG_NONE_TYPE = 0,
  REG_SZ_TYPE = 1,
  REG_EXPAND_SZ_TYPE = 2,
  REG_BINARY_TYPE = 3,
  REG_DWORD_TYPE = 4,
  REG_MULTI_SZ_TYPE = 7,
};

enum class TRootKey { CurrentUser, LocalMachine };

struct TRegValueInfo {
  std::uint32_t Type = REG_NONE_TYPE;
  std::uint32_t Size = 0;
};

// An open registry key; closed when the object goes.
class IRegistryKey {
public:
  virtual ~IRegistryKey() = default;
  // Type and size of a value, or nothing when the value does not exist.
  virtual std::optional<TRegValueInfo> ValueInfo(std::u16string_view name) = 0;
  // The value's raw bytes; false when it cannot be read.
  virtual bool ReadValue(std::u16string_view name, TBytes& data) = 0;
  virtual bool WriteBinary(std::u16string_view name, const void* data, std::size_t size) = 0;
  virtual bool WriteDWord(std::u16string_view name, std::uint32_t value) = 0;
};

class IRegistry {
public:
  virtual ~IRegistry() = default;
  // Opens (and with `create`, creates) a key; nullptr when it does not open.
  virtual std::unique_ptr<IRegistryKey> OpenKey(TRootKey root, std::u16string_view path, bool create) = 0;
};

class IFileSystem {
public:
  virtual ~IFileSystem() = default;
  virtual bool FileExists(std::u16string_view path) = 0;
  virtual bool DirectoryExists(std::u16string_view path) = 0;
  // Creates one folder level. Answers 0 or the system error number.
  virtual std::uint32_t MakeDirectory(std::u16string_view path) = 0;
  // Reads a whole file. Answers 0 or the system error number.
  virtual std::uint32_t ReadFile(std::u16string_view path, TBytes& data) = 0;
  // Writes a whole file, replacing an existing one only once the new content is complete.
  // Answers 0 or the system error number.
  virtual std::uint32_t WriteFile(std::u16string_view path, const void* data, std::size_t size) = 0;
  // The system's text for an error number, without trailing blanks and full stops, as the
  // framework's error texts quote it.
  virtual std::u16string SystemErrorMessage(std::uint32_t code) = 0;
  // Folder of the running program, with a trailing backslash.
  virtual std::u16string ProgramFolder() = 0;
  // The user's personal documents folder, as the system gives it.
  virtual std::u16string DocumentsFolder() = 0;
};

class IIniFiles {
public:
  virtual ~IIniFiles() = default;
  // A string value of a private-profile (INI) file, or `defaultValue` when the file,
  // section or key is missing.
  virtual std::u16string ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                                    std::u16string_view defaultValue) = 0;
};

class ILocale {
public:
  virtual ~ILocale() = default;
  virtual std::uint16_t SystemDefaultLangID() = 0;
  // The user default locale's three-letter language abbreviation ("ENU", "CHS"); empty
  // when it cannot be read.
  virtual std::u16string UserAbbrevLangName() = 0;
  // The user locale's collation: negative, 0 or positive.
  virtual int CompareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) = 0;
};

class IClock {
public:
  virtual ~IClock() = default;
  // Local date and time as days since 1899-12-30, the fraction being the time of day.
  virtual double LocalDateTime() = 0;
  virtual std::uint32_t TickCount() = 0;
};

using TLibraryHandle = void*;

// Where a library is looked for by its file name. Never in the current directory or along
// the search path, where anyone could plant a library of that name.
enum class TLibrarySearch {
  // The suite's own libraries (ksHook.dll): the program's folder, then the system folders.
  ProgramFolderFirst,
  // The system's libraries (setupapi.dll, hid.dll, gdiplus.dll): the system folder alone, so
  // that a copy beside the program is never taken for them.
  SystemFolderOnly,
};

class ILibraries {
public:
  virtual ~ILibraries() = default;
  // Loads a library by file name from the folders `search` names; nullptr when it does not load.
  virtual TLibraryHandle Load(std::u16string_view fileName, TLibrarySearch search) = 0;
  virtual void* Symbol(TLibraryHandle library, const char* name) = 0;
  virtual void Free(TLibraryHandle library) = 0;
};

// Message box flags and results, with the system's numbers.
enum TMessageBoxFlags : std::uint32_t {
  MB_OK_FLAG = 0x00,
  MB_ICONERROR_FLAG = 0x10,
};

class IUserInterface {
public:
  virtual ~IUserInterface() = default;
  // A modal message box without owner window; answers the button chosen.
  virtual int ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) = 0;
  virtual void DebugOutput(std::u16string_view text) = 0;
};

class IResources {
public:
  virtual ~IResources() = default;
  // The stored description (an object stream) built into the program for a form or data
  // module class; empty when there is none.
  virtual std::span<const std::uint8_t> StoredForm(std::u16string_view className) = 0;
  // A data resource built into the program by name (stored descriptions are such
  // resources, named after their class); empty when there is none.
  virtual std::span<const std::uint8_t> DataResource(std::u16string_view name) = 0;
};

class IEventLog;  // platform/EventLog.h

struct TPlatform {
  IRegistry* Registry = nullptr;
  IFileSystem* Files = nullptr;
  IIniFiles* Ini = nullptr;
  ILocale* Locale = nullptr;
  IClock* Clock = nullptr;
  ILibraries* Libraries = nullptr;
  IUserInterface* UI = nullptr;
  IResources* Resources = nullptr;
  IEventLog* Log = nullptr;  // none: events go nowhere
};

// The platform of the process. The program entry installs the real one; native tests
// install the in-memory one.
const TPlatform& Platform();

// Installs a platform for the scope's lifetime and restores the previous one after.
class TPlatformScope {
public:
  explicit TPlatformScope(const TPlatform& platform);
  ~TPlatformScope();
  TPlatformScope(const TPlatformScope&) = delete;
  TPlatformScope& operator=(const TPlatformScope&) = delete;

private:
  TPlatform FPrevious;
};

}  // namespace vd::platform
