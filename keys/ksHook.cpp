#include "keys/ksHook.h"

#include <cstdint>
#include <memory>

#include "platform/LibraryBinding.h"
#include "platform/Platform.h"

namespace vd {

namespace {

// The library's switches; the monitor binds them but never calls them.
using THookSwitch = std::int32_t();

struct THookEntries {
  THookSwitch* EnableKeyboardHook = nullptr;
  THookSwitch* DisableKeyboardHook = nullptr;
  THookSwitch* EnableMouseHook = nullptr;
  THookSwitch* DisableMouseHook = nullptr;
};

// One library link per process, shared by every hook component.
THookEntries gHookEntries;
std::unique_ptr<TLibraryBinding> gHookLibrary;

void UnloadHookLibrary() {
  gHookLibrary.reset();
  gHookEntries = THookEntries{};
}

bool LoadHookLibrary() {
  if (gHookLibrary) return true;
  auto library = std::make_unique<TLibraryBinding>(u"ksHook.dll", platform::TLibrarySearch::ProgramFolderFirst,
                                                   std::initializer_list<TLibraryBinding::TImport>{
                                                       {"EnableKeyboardHook", gHookEntries.EnableKeyboardHook},
                                                       {"DisableKeyboardHook", gHookEntries.DisableKeyboardHook},
                                                       {"EnableMouseHook", gHookEntries.EnableMouseHook},
                                                       {"DisableMouseHook", gHookEntries.DisableMouseHook},
                                                   });
  // A missing library is worth a box; a library without one of the entries is not.
  if (!library->LibraryFound())
    platform::Platform().UI->ShowMessageBox(u"ksHook.dll can not be found!", u"Error",
                                            platform::MB_OK_FLAG | platform::MB_ICONERROR_FLAG);
  if (!library->Bound()) return false;
  gHookLibrary = std::move(library);
  return true;
}

}  // namespace

const TClassInfo& TksHook::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TksHook>(u"TksHook", TComponent::StaticClassInfo()).Creatable().Build();
  return info;
}

TksHook::TksHook(TComponent* AOwner) : TComponent(AOwner) {
  // A component placed in a designer does nothing of this.
  if (!(AOwner && AOwner->IsDesigning())) FDLLLoaded = LoadHookLibrary();
}

TksHook::~TksHook() { UnloadHookLibrary(); }

}  // namespace vd
