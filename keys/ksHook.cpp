#include "keys/ksHook.h"

#include "platform/Platform.h"

namespace vd {

namespace {

// One library link per process, shared by every hook component.
struct THookLibrary {
  bool Loaded = false;
  platform::TLibraryHandle Module = nullptr;
  void* EnableKeyboardHook = nullptr;
  void* DisableKeyboardHook = nullptr;
  void* EnableMouseHook = nullptr;
  void* DisableMouseHook = nullptr;
};

THookLibrary gHookLibrary;

void UnloadHookLibrary() {
  gHookLibrary.Loaded = false;
  if (gHookLibrary.Module) {
    platform::Platform().Libraries->Free(gHookLibrary.Module);
    gHookLibrary = THookLibrary{};
  }
}

bool LoadHookLibrary() {
  if (gHookLibrary.Loaded) return true;
  const auto& system = platform::Platform();
  platform::TLibraryHandle module = system.Libraries->Load(u"ksHook.dll");
  if (!module) {
    system.UI->ShowMessageBox(u"ksHook.dll can not be found!", u"Error",
                              platform::MB_OK_FLAG | platform::MB_ICONERROR_FLAG);
    return false;
  }
  gHookLibrary.Loaded = true;
  gHookLibrary.Module = module;
  gHookLibrary.EnableKeyboardHook = system.Libraries->Symbol(module, "EnableKeyboardHook");
  gHookLibrary.DisableKeyboardHook = system.Libraries->Symbol(module, "DisableKeyboardHook");
  gHookLibrary.EnableMouseHook = system.Libraries->Symbol(module, "EnableMouseHook");
  gHookLibrary.DisableMouseHook = system.Libraries->Symbol(module, "DisableMouseHook");
  if (!gHookLibrary.EnableKeyboardHook || !gHookLibrary.DisableKeyboardHook || !gHookLibrary.EnableMouseHook ||
      !gHookLibrary.DisableMouseHook) {
    UnloadHookLibrary();
    return false;
  }
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
