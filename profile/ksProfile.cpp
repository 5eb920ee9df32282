#include "profile/ksProfile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "base/Errors.h"
#include "platform/Platform.h"

namespace vd {

namespace {

using platform::Platform;

std::optional<platform::TRootKey> RootOf(std::uint32_t rootKey) {
  if (rootKey == RootKeyCurrentUser) return platform::TRootKey::CurrentUser;
  if (rootKey == RootKeyLocalMachine) return platform::TRootKey::LocalMachine;
  return std::nullopt;
}

bool IsStringOrDWord(std::uint32_t type) {
  return type == platform::REG_SZ_TYPE || type == platform::REG_EXPAND_SZ_TYPE || type == platform::REG_DWORD_TYPE;
}

void AppendBackslash(std::u16string& path) {
  if (path.empty() || path.back() != u'\\') path += u'\\';
}

}  // namespace

TksProfile::TksProfile(TComponent* AOwner) : TComponent(AOwner) {}

const TClassInfo& TksProfile::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TksProfile>(u"TksProfile", TComponent::StaticClassInfo())
          .Creatable()
          .Integer(u"RootKey", &TksProfile::RootKey, &TksProfile::SetRootKey)
          .String(u"KeyPath", &TksProfile::KeyPath, &TksProfile::SetKeyPath)
          .String(u"FileName", &TksProfile::FileName, &TksProfile::SetFileName)
          .String(u"FilePath", &TksProfile::FilePath, &TksProfile::SetFilePath)
          .Event(u"OnRestoreToDefault", &TksProfile::OnRestoreToDefault, &TksProfile::SetOnRestoreToDefault)
          .Build();
  return info;
}

void TksProfile::SetRootKey(std::uint32_t value) { FRootKey = value; }

void TksProfile::SetKeyPath(const std::u16string& value) { FKeyPath = value; }

void TksProfile::SetFileName(const std::u16string& value) { FFileName = value; }

void TksProfile::SetFilePath(const std::u16string& value) {
  if (value == FFilePath || !Platform().Files->DirectoryExists(value)) return;
  FFilePath = value;
  AppendBackslash(FFilePath);
}

std::int32_t TksProfile::Write(const void* buffer, std::int32_t count) {
  count = std::max(count, 0);
  if (FMemoryStream.size() < static_cast<std::size_t>(count)) FMemoryStream.resize(static_cast<std::size_t>(count));
  if (count > 0) std::memcpy(FMemoryStream.data(), buffer, static_cast<std::size_t>(count));
  FSize = static_cast<std::int64_t>(FMemoryStream.size());
  return count;
}

std::int32_t TksProfile::Read(void* buffer, std::int32_t count) const {
  const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), FMemoryStream.size());
  if (n > 0) std::memcpy(buffer, FMemoryStream.data(), n);
  return static_cast<std::int32_t>(n);
}

bool TksProfile::LoadStreamFromRegistry() {
  const auto root = RootOf(FRootKey);
  if (!root || FKeyPath.empty() || FFileName.empty()) return false;
  const std::unique_ptr<platform::IRegistryKey> key = Platform().Registry->OpenKey(*root, FKeyPath, true);
  if (!key) return false;
  const auto info = key->ValueInfo(FFileName);
  if (!info) return false;
  // Checked before anything changes, so that a value of the wrong kind leaves the stream whole.
  if (IsStringOrDWord(info->Type)) throw ERegistryException::InvalidDataType(FFileName);
  platform::TBytes data;
  // The value exists; failing to read it must not pass for "nothing stored", or the
  // caller would write defaults over it.
  if (!key->ReadValue(FFileName, data)) throw ERegistryException::GetDataFailed(FFileName);
  FMemoryStream = std::move(data);
  return true;
}

bool TksProfile::SaveStreamToRegistry() {
  const auto root = RootOf(FRootKey);
  if (!root || FKeyPath.empty() || FFileName.empty()) return false;
  const std::unique_ptr<platform::IRegistryKey> key = Platform().Registry->OpenKey(*root, FKeyPath, true);
  if (!key) return false;
  if (!key->WriteBinary(FFileName, FMemoryStream.data(), FMemoryStream.size()))
    throw ERegistryException::SetDataFailed(FFileName);
  return true;
}

bool TksProfile::LoadStreamFromFile(const std::u16string& strFilewithpath) {
  platform::IFileSystem& files = *Platform().Files;
  if (!files.FileExists(strFilewithpath)) return false;
  platform::TBytes data;
  if (const std::uint32_t error = files.ReadFile(strFilewithpath, data))
    throw EFOpenError(strFilewithpath, files.SystemErrorMessage(error));
  FMemoryStream = std::move(data);
  return true;
}

bool TksProfile::SaveStreamToFile() {
  if (FFilePath.empty()) return false;
  AppendBackslash(FFilePath);
  WriteStreamTo(FFilePath + FFileName);
  return true;
}

bool TksProfile::SaveStreamToFile(const std::u16string& strFileWithPath) {
  platform::IFileSystem& files = *Platform().Files;
  const std::size_t slash = strFileWithPath.rfind(u'\\');
  // A path without a folder names no place of ours to write to.
  if (slash == std::u16string::npos) return false;
  const std::u16string folder = strFileWithPath.substr(0, slash + 1);
  if (!files.DirectoryExists(folder) && files.MakeDirectory(folder) != 0) return false;
  WriteStreamTo(strFileWithPath);
  return true;
}

void TksProfile::RestoreToDefault() { FOnRestoreToDefault(FMemoryStream); }

void TksProfile::WriteStreamTo(const std::u16string& path) const {
  platform::IFileSystem& files = *Platform().Files;
  if (const std::uint32_t error = files.WriteFile(path, FMemoryStream.data(), FMemoryStream.size()))
    throw EFCreateError(path, files.SystemErrorMessage(error));
}

}  // namespace vd
