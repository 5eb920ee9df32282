#include "app/win32/MixerMicrophone.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <optional>

#include "core/Application.h"
#include "platform/EventLog.h"
#include "platform/LibraryBinding.h"
#include "platform/Platform.h"

namespace vd::win32 {

namespace {

constexpr DWORD kLineComponentTypes[] = {
    MIXERLINE_COMPONENTTYPE_DST_SPEAKERS,
    MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE,
    MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT,
    MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER,
};

// The mixer records as the 32-bit system lays them out; a 64-bit build (the test build on
// machines that cannot run 32-bit programs) has wider pointers in them.
#if !defined(_WIN64)
static_assert(sizeof(MIXERLINEW) == 280 && sizeof(MIXERLINECONTROLSW) == 24 && sizeof(MIXERCONTROLW) == 228 &&
              sizeof(MIXERCONTROLDETAILS) == 24);
#endif

void ShowMixerMessage(const char16_t* text) {
  platform::Platform().UI->ShowMessageBox(text, Application().Title(), platform::MB_OK_FLAG);
}

// The legacy mixer's functions, bound for each use: a system with Core Audio never loads the
// library.
struct TMixerApi {
  decltype(::mixerGetNumDevs)* GetNumDevs = nullptr;
  decltype(::mixerOpen)* Open = nullptr;
  decltype(::mixerClose)* Close = nullptr;
  decltype(::mixerGetLineInfoW)* GetLineInfo = nullptr;
  decltype(::mixerGetLineControlsW)* GetLineControls = nullptr;
  decltype(::mixerGetControlDetailsW)* GetControlDetails = nullptr;
  decltype(::mixerSetControlDetails)* SetControlDetails = nullptr;
  // Declared after the functions it fills.
  TLibraryBinding Library{u"winmm.dll",
                          platform::TLibrarySearch::SystemFolderOnly,
                          {{"mixerGetNumDevs", GetNumDevs},
                           {"mixerOpen", Open},
                           {"mixerClose", Close},
                           {"mixerGetLineInfoW", GetLineInfo},
                           {"mixerGetLineControlsW", GetLineControls},
                           {"mixerGetControlDetailsW", GetControlDetails},
                           {"mixerSetControlDetails", SetControlDetails}}};
};

// A legacy mixer opened for one read or write of a line's mute control.
class TMixerMute {
public:
  explicit TMixerMute(int lineType) {
    if (lineType < 0 || lineType > 3 || !FApi.Library.Bound() || FApi.GetNumDevs() == 0) return;
    if (FApi.Open(&FMixer, 0, 0, 0, 0) != MMSYSERR_NOERROR) {
      FMixer = nullptr;
      return;
    }
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = kLineComponentTypes[lineType];
    if (FApi.GetLineInfo(Handle(), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return;
    MIXERCONTROLW control{};
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (FApi.GetLineControls(Handle(), &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) {
      ShowMixerMessage(u"GetLineInfo Error");
      return;
    }
    FDetails.cbStruct = sizeof FDetails;
    FDetails.dwControlID = control.dwControlID;
    FDetails.cChannels = 1;
    FDetails.cbDetails = sizeof FValue;
    FDetails.paDetails = &FValue;
    FReady = true;
  }
  ~TMixerMute() {
    if (FMixer) FApi.Close(FMixer);
  }
  TMixerMute(const TMixerMute&) = delete;
  TMixerMute& operator=(const TMixerMute&) = delete;

  std::optional<bool> Read() {
    if (!FReady) return std::nullopt;
    if (FApi.GetControlDetails(Handle(), &FDetails, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) {
      ShowMixerMessage(u"SetControlDetails Error");
      return std::nullopt;
    }
    return FValue.fValue != 0;
  }
  void Write(bool mute) {
    if (!FReady) return;
    FValue.fValue = mute ? 1 : 0;
    if (FApi.SetControlDetails(Handle(), &FDetails, MIXER_SETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
      ShowMixerMessage(u"SetControlDetails Error");
  }

private:
  HMIXEROBJ Handle() const { return reinterpret_cast<HMIXEROBJ>(FMixer); }

  TMixerApi FApi;  // first: the mixer is closed before its library goes
  HMIXER FMixer = nullptr;
  bool FReady = false;
  MIXERCONTROLDETAILS FDetails{};
  MIXERCONTROLDETAILS_BOOLEAN FValue{};
};

}  // namespace

void TMixerMicrophone::Toggle() {
  const bool muted = GetMixerMute(1);
  SetMixerMute(1, !muted);
  platform::LogEvent(muted ? u"Microphone mute asked: legacy mixer, set to on"
                           : u"Microphone mute asked: legacy mixer, set to muted");
}

bool TMixerMicrophone::GetMixerMute(int lineType) { return TMixerMute(lineType).Read().value_or(false); }

void TMixerMicrophone::SetMixerMute(int lineType, bool mute) { TMixerMute(lineType).Write(mute); }

}  // namespace vd::win32
