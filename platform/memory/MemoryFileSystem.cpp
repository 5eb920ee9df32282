#include "base/Strings.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd::platform {

namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAlreadyExists = 183;

}  // namespace

TMemoryFileSystem::TMemoryFileSystem(TFaults& faults) : FFaults(faults) {
  AddFolder(FProgramFolder);
  AddFolder(FDocumentsFolder);
}

std::u16string TMemoryFileSystem::PathId(std::u16string_view path) {
  std::u16string id;
  for (char16_t c : path) {
    c = c == u'/' ? u'\\' : AsciiLower(c);
    if (c == u'\\' && !id.empty() && id.back() == u'\\') continue;
    id += c;
  }
  while (id.size() > 3 && id.back() == u'\\') id.pop_back();
  return id;
}

std::u16string TMemoryFileSystem::ParentOf(std::u16string_view path) {
  const std::u16string id = PathId(path);
  const std::size_t slash = id.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : id.substr(0, slash);
}

bool TMemoryFileSystem::FileExists(std::u16string_view path) { return FFiles.count(PathId(path)) != 0; }

bool TMemoryFileSystem::DirectoryExists(std::u16string_view path) {
  const std::u16string id = PathId(path);
  return (id.size() == 2 && id[1] == u':') || FFolders.count(id) != 0;
}

std::uint32_t TMemoryFileSystem::MakeDirectory(std::u16string_view path) {
  if (const std::uint32_t error = FFaults.Check("MakeDirectory")) return error;
  const std::u16string id = PathId(path);
  if (DirectoryExists(id) || FileExists(id)) return kAlreadyExists;
  if (!DirectoryExists(ParentOf(id))) return kPathNotFound;
  FFolders.insert(id);
  return 0;
}

std::uint32_t TMemoryFileSystem::ReadFile(std::u16string_view path, TBytes& data) {
  if (const std::uint32_t error = FFaults.Check("ReadFile")) return error;
  const auto file = FFiles.find(PathId(path));
  if (file == FFiles.end()) return DirectoryExists(ParentOf(path)) ? kFileNotFound : kPathNotFound;
  data = file->second;
  return 0;
}

std::uint32_t TMemoryFileSystem::WriteFile(std::u16string_view path, const void* data, std::size_t size) {
  if (const std::uint32_t error = FFaults.Check("WriteFile")) return error;
  if (!DirectoryExists(ParentOf(path))) return kPathNotFound;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  FFiles[PathId(path)] = TBytes(bytes, bytes + size);
  return 0;
}

std::u16string TMemoryFileSystem::SystemErrorMessage(std::uint32_t code) {
  switch (code) {
    case kFileNotFound:
      return u"The system cannot find the file specified";
    case kPathNotFound:
      return u"The system cannot find the path specified";
    case 5:
      return u"Access is denied";
    case 32:
      return u"The process cannot access the file because it is being used by another process";
    case 112:
      return u"There is not enough space on the disk";
    case kAlreadyExists:
      return u"Cannot create a file when that file already exists";
    default:
      return u"System error " + IntToStr(code);
  }
}

void TMemoryFileSystem::AddFolder(std::u16string_view path) {
  const std::u16string id = PathId(path);
  for (std::size_t slash = id.find(u'\\', 3); slash != std::u16string::npos; slash = id.find(u'\\', slash + 1))
    FFolders.insert(id.substr(0, slash));
  if (!(id.size() == 2 && id[1] == u':')) FFolders.insert(id);
}

void TMemoryFileSystem::AddFile(std::u16string_view path, const std::string& content) {
  AddFile(path, TBytes(content.begin(), content.end()));
}

void TMemoryFileSystem::AddFile(std::u16string_view path, TBytes content) {
  AddFolder(ParentOf(path));
  FFiles[PathId(path)] = std::move(content);
}

const TBytes* TMemoryFileSystem::File(std::u16string_view path) const {
  const auto file = FFiles.find(PathId(path));
  return file == FFiles.end() ? nullptr : &file->second;
}

void TMemoryFileSystem::RemoveFile(std::u16string_view path) { FFiles.erase(PathId(path)); }

}  // namespace vd::platform
