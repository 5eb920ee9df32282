#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"
#include "platform/win32/Win32Platform.h"

namespace vd::platform {

using win32::TUniqueRegKey;
using win32::W;

namespace {

class TWin32RegistryKey : public IRegistryKey {
public:
  explicit TWin32RegistryKey(HKEY key) : FKey(key) {}

  std::optional<TRegValueInfo> ValueInfo(std::u16string_view name) override {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(FKey.Get(), W(std::u16string(name)), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    return TRegValueInfo{type, size};
  }

  bool ReadValue(std::u16string_view name, TBytes& data) override {
    const std::u16string valueName(name);
    // The value may change between the size query and the read; try again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD size = 0;
      if (RegQueryValueExW(FKey.Get(), W(valueName), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
      data.resize(size);
      const LONG result = RegQueryValueExW(FKey.Get(), W(valueName), nullptr, nullptr, data.data(), &size);
      if (result == ERROR_SUCCESS) {
        data.resize(size);
        return true;
      }
      if (result != ERROR_MORE_DATA) return false;
    }
    return false;
  }

  bool WriteBinary(std::u16string_view name, const void* data, std::size_t size) override {
    return RegSetValueExW(FKey.Get(), W(std::u16string(name)), 0, REG_BINARY, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
  }

  bool WriteDWord(std::u16string_view name, std::uint32_t value) override {
    const DWORD data = value;
    return RegSetValueExW(FKey.Get(), W(std::u16string(name)), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
  }

private:
  TUniqueRegKey FKey;
};

}  // namespace

std::unique_ptr<IRegistryKey> TWin32Registry::OpenKey(TRootKey root, std::u16string_view path, bool create) {
  const HKEY rootKey = root == TRootKey::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::u16string keyPath(path);
  HKEY key = nullptr;
  const LONG result = create ? RegCreateKeyExW(rootKey, W(keyPath), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                               KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                             : RegOpenKeyExW(rootKey, W(keyPath), 0, KEY_READ | KEY_WRITE, &key);
  if (result != ERROR_SUCCESS) return nullptr;
  return std::make_unique<TWin32RegistryKey>(key);
}

}  // namespace vd::platform
