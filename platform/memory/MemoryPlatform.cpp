#include "platform/memory/MemoryPlatform.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/Strings.h"

namespace vd::platform {

void TFaults::Fail(const std::string& operation, std::uint32_t errorCode, int times) {
  FFaults[operation] = TFault{errorCode, times};
}

std::uint32_t TFaults::Check(const std::string& operation) {
  const auto fault = FFaults.find(operation);
  if (fault == FFaults.end()) return 0;
  const std::uint32_t code = fault->second.ErrorCode;
  if (fault->second.Remaining > 0 && --fault->second.Remaining == 0) FFaults.erase(fault);
  return code;
}

int TMemoryLocale::CompareText(std::u16string_view a, std::u16string_view b, bool ignoreCase) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = ignoreCase ? AsciiLower(a[i]) : a[i];
    const char16_t y = ignoreCase ? AsciiLower(b[i]) : b[i];
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TMemoryLibraries::TLibrary* TMemoryLibraries::Find(std::u16string_view fileName, TFolder folder) {
  for (TLibrary& library : FLibraries)
    if (library.Folder == folder && SameTextAscii(library.FileName, fileName)) return &library;
  return nullptr;
}

TLibraryHandle TMemoryLibraries::Load(std::u16string_view fileName, TLibrarySearch search) {
  ++FLoadCalls;
  TLibrary* library = search == TLibrarySearch::ProgramFolderFirst ? Find(fileName, TFolder::Program) : nullptr;
  if (!library) library = Find(fileName, TFolder::System);
  if (library) ++FLoadedCount;
  return library;
}

void* TMemoryLibraries::Symbol(TLibraryHandle library, const char* name) {
  auto& exports = static_cast<TLibrary*>(library)->Exports;
  const auto found = std::find(exports.begin(), exports.end(), name);
  return found == exports.end() ? nullptr : &*found;
}

void TMemoryLibraries::Free(TLibraryHandle) { --FLoadedCount; }

void TMemoryLibraries::AddLibrary(std::u16string_view fileName, std::vector<std::string> exports, TFolder folder) {
  FLibraries.push_back(TLibrary{std::u16string(fileName), std::move(exports), folder});
}

int TMemoryUserInterface::ShowMessageBox(std::u16string_view text, std::u16string_view caption, std::uint32_t flags) {
  FMessageBoxes.push_back(TMessageBoxCall{std::u16string(text), std::u16string(caption), flags});
  return 1;  // OK
}

std::span<const std::uint8_t> TMemoryResources::StoredForm(std::u16string_view className) {
  return DataResource(className);
}

std::span<const std::uint8_t> TMemoryResources::DataResource(std::u16string_view name) {
  for (const auto& [known, data] : FForms)
    if (SameTextAscii(known, name)) return data;
  return {};
}

void TMemoryResources::AddStoredForm(std::u16string_view className, TBytes description) {
  FForms[std::u16string(className)] = std::move(description);
}

void TMemoryResources::AddStoredFormFile(std::u16string_view className, const std::string& hostPath) {
  std::ifstream file(hostPath, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read the compiled form " + hostPath);
  AddStoredForm(className, TBytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
}

TMemoryPlatform::TMemoryPlatform()
    : FScope(TPlatform{&Registry, &Files, &Ini, &Locale, &Clock, &Libraries, &UI, &Resources}) {}

}  // namespace vd::platform
