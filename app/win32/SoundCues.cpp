#include "app/win32/SoundCues.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include "platform/LibraryBinding.h"

namespace vd::win32 {

struct TSoundCues::TPlayer {
  decltype(::PlaySoundW)* PlaySound = nullptr;
  // Declared after the function it fills.
  TLibraryBinding Library{u"winmm.dll", platform::TLibrarySearch::SystemFolderOnly, {{"PlaySoundW", PlaySound}}};
};

TSoundCues::TSoundCues() = default;

TSoundCues::~TSoundCues() = default;

void TSoundCues::Play(TMuteCue cue) {
  const HMODULE program = GetModuleHandleW(nullptr);
  const HRSRC resource = FindResourceW(program, cue == TMuteCue::Muted ? L"MUTEDCUE" : L"UNMUTEDCUE", L"WAVE");
  const HGLOBAL loaded = resource ? LoadResource(program, resource) : nullptr;
  // A resource stays mapped as long as the program runs.
  const void* sound = loaded ? LockResource(loaded) : nullptr;
  if (!sound) return;
  if (!FPlayer || !FPlayer->Library.Bound()) FPlayer = std::make_unique<TPlayer>();
  if (!FPlayer->Library.Bound()) return;
  FPlayer->PlaySound(static_cast<LPCWSTR>(sound), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace vd::win32
