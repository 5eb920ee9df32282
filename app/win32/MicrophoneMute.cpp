#include "app/win32/MicrophoneMute.h"

#include <mmsystem.h>

#include <atomic>
#include <optional>

#include "core/Application.h"
#include "platform/Platform.h"

namespace vd::win32 {

namespace {

// The published identifiers of the Core Audio objects used here.
constexpr CLSID kMMDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr IID kIMMDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
constexpr IID kIAudioEndpointVolume = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
constexpr IID kIAudioEndpointVolumeCallback = {
    0x657804FA, 0xD6AD, 0x4496, {0x8A, 0x60, 0x35, 0x27, 0x52, 0xAF, 0x4F, 0x89}};

// Registered with the endpoint and never unregistered; the endpoint's references keep it.
// Its notifications come on a thread of the audio service and change nothing.
class TMyEndpointVolumeCallback final : public IAudioEndpointVolumeCallback {
public:
  virtual ~TMyEndpointVolumeCallback() = default;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIAudioEndpointVolumeCallback)) {
      *object = static_cast<IAudioEndpointVolumeCallback*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA) override { return S_OK; }

private:
  std::atomic<ULONG> FReferences{1};
};

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

// A legacy mixer opened for one read or write of a line's mute control.
class TMixerMute {
public:
  explicit TMixerMute(int lineType) {
    if (lineType < 0 || lineType > 3 || mixerGetNumDevs() == 0) return;
    if (mixerOpen(&FMixer, 0, 0, 0, 0) != MMSYSERR_NOERROR) {
      FMixer = nullptr;
      return;
    }
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = kLineComponentTypes[lineType];
    if (mixerGetLineInfoW(Handle(), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return;
    MIXERCONTROLW control{};
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixerGetLineControlsW(Handle(), &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) {
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
    if (FMixer) mixerClose(FMixer);
  }
  TMixerMute(const TMixerMute&) = delete;
  TMixerMute& operator=(const TMixerMute&) = delete;

  std::optional<bool> Read() {
    if (!FReady) return std::nullopt;
    if (mixerGetControlDetailsW(Handle(), &FDetails, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) {
      ShowMixerMessage(u"SetControlDetails Error");
      return std::nullopt;
    }
    return FValue.fValue != 0;
  }
  void Write(bool mute) {
    if (!FReady) return;
    FValue.fValue = mute ? 1 : 0;
    if (mixerSetControlDetails(Handle(), &FDetails, MIXER_SETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
      ShowMixerMessage(u"SetControlDetails Error");
  }

private:
  HMIXEROBJ Handle() const { return reinterpret_cast<HMIXEROBJ>(FMixer); }

  HMIXER FMixer = nullptr;
  bool FReady = false;
  MIXERCONTROLDETAILS FDetails{};
  MIXERCONTROLDETAILS_BOOLEAN FValue{};
};

}  // namespace

bool HasCoreAudio() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
}

void TMicrophoneMute::InitEndpointVolume() {
  try {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_ALL, kIMMDeviceEnumerator,
                                reinterpret_cast<void**>(FMMDevEnum.Put()))) ||
        !FMMDevEnum)
      return;
    if (FMMDevEnum->GetDefaultAudioEndpoint(eCapture, eMultimedia, FMMDev.Put()) != S_OK) return;
    if (FMMDev->Activate(kIAudioEndpointVolume, CLSCTX_ALL, nullptr, reinterpret_cast<void**>(FEndpoint.Put())) != S_OK)
      return;
    auto* callback = new TMyEndpointVolumeCallback;
    FEndpoint->RegisterControlChangeNotify(callback);
    callback->Release();  // the endpoint holds its own reference
  } catch (...) {
  }
}

void TMicrophoneMute::MicrophoneMute() {
  if (!HasCoreAudio()) {
    const bool muted = GetMixerMute(1);
    SetMixerMute(1, !muted);
    return;
  }
  if (!FEndpoint) InitEndpointVolume();
  if (!FEndpoint) return;
  BOOL muted = FALSE;
  FEndpoint->GetMute(&muted);
  FEndpoint->SetMute(!muted, nullptr);
}

bool TMicrophoneMute::GetMixerMute(int lineType) { return TMixerMute(lineType).Read().value_or(false); }

void TMicrophoneMute::SetMixerMute(int lineType, bool mute) { TMixerMute(lineType).Write(mute); }

}  // namespace vd::win32
