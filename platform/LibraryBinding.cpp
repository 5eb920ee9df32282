#include "platform/LibraryBinding.h"

#include <vector>

namespace vd {

TLibraryBinding::TLibraryBinding(std::u16string_view fileName, platform::TLibrarySearch search,
                                 std::initializer_list<TImport> imports) {
  platform::ILibraries& libraries = *platform::Platform().Libraries;
  platform::TLibraryHandle library = libraries.Load(fileName, search);
  if (!library) return;
  FLibraryFound = true;
  std::vector<void*> addresses;
  addresses.reserve(imports.size());
  for (const TImport& import : imports) {
    void* address = libraries.Symbol(library, import.Name);
    if (!address) {
      libraries.Free(library);
      return;
    }
    addresses.push_back(address);
  }
  auto address = addresses.begin();
  for (const TImport& import : imports) import.Store(import.Slot, *address++);
  FLibraries = &libraries;
  FLibrary = library;
}

TLibraryBinding::~TLibraryBinding() {
  if (FLibrary) FLibraries->Free(FLibrary);
}

}  // namespace vd
