#pragma once
// A library bound by name at run time, through the platform: either every function asked for
// is found and stored, or the library is released again and nothing is stored.

#include <initializer_list>
#include <string_view>
#include <type_traits>

#include "platform/Platform.h"

namespace vd {

class TLibraryBinding {
public:
  // A function's name and the pointer that receives its address.
  struct TImport {
    template <class F>
    requires std::is_function_v<F> TImport(const char* name, F*& slot)
        : Name(name),
          Slot(&slot),
          Store([](void* s, void* address) { *static_cast<F**>(s) = reinterpret_cast<F*>(address); }) {}

    const char* Name;
    void* Slot;
    void (*Store)(void* slot, void* address);
  };

  // Nothing bound.
  TLibraryBinding() = default;
  // Loads the library from where `search` says and stores the address of every import. When
  // the library does not load or one name is missing, the library is released and no slot is
  // touched.
  TLibraryBinding(std::u16string_view fileName, platform::TLibrarySearch search,
                  std::initializer_list<TImport> imports);
  // Releases the library; the functions stored from it must no longer be called.
  ~TLibraryBinding();
  TLibraryBinding(const TLibraryBinding&) = delete;
  TLibraryBinding& operator=(const TLibraryBinding&) = delete;

  bool Bound() const { return FLibrary != nullptr; }
  // The library itself loaded, whether or not every name was found in it.
  bool LibraryFound() const { return FLibraryFound; }

private:
  bool FLibraryFound = false;
  platform::ILibraries* FLibraries = nullptr;  // the platform that loaded it frees it
  platform::TLibraryHandle FLibrary = nullptr;
};

}  // namespace vd
