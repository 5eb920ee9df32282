#include "app/win32/MicrophoneMute.h"

#include <mmsystem.h>

#include <mutex>
#include <optional>

#include "core/Application.h"
#include "platform/EventLog.h"
#include "platform/LibraryBinding.h"
#include "platform/Platform.h"
#include "platform/win32/ComObject.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

namespace {

// The published identifiers of the Core Audio objects used here.
constexpr CLSID kMMDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr IID kIMMDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
constexpr IID kIAudioEndpointVolume = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
constexpr PROPERTYKEY kDeviceFriendlyName = {
    {0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}}, 14};

HRESULT CreateSystemEnumerator(IMMDeviceEnumerator** enumerator) {
  return CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_ALL, kIMMDeviceEnumerator,
                          reinterpret_cast<void**>(enumerator));
}

// The device's identity, or nothing when it cannot be read.
std::wstring DeviceId(IMMDevice& device) {
  LPWSTR id = nullptr;
  if (FAILED(device.GetId(&id)) || !id) return {};
  std::wstring copy(id);
  CoTaskMemFree(id);
  return copy;
}

// A reference-counted listener of the audio service implementing one callback interface.
// The service calls it on threads of its own; it hands each notification to its owner on the
// main thread until Detach. The owner keeps a reference for as long as the listener is
// registered, and unregisters it before letting go: its life never rests on references held
// by the service.
template <class TInterface>
class TAudioListener : public TComObject<TInterface> {
public:
  TAudioListener(TMicrophoneMute* owner, void (TMicrophoneMute::*handler)()) : FOwner(owner), FHandler(handler) {}

  // No notification reaches the owner once this returns.
  void Detach() {
    const std::lock_guard<std::mutex> guard(FLock);
    FOwner = nullptr;
  }

protected:
  // Any thread.
  void Forward() {
    const std::lock_guard<std::mutex> guard(FLock);
    if (!FOwner) return;
    TMicrophoneMute* owner = FOwner;
    const auto handler = FHandler;
    TMainThreadDispatcher::Instance().Post(owner, [owner, handler] { (owner->*handler)(); });
  }

private:
  std::mutex FLock;  // guards FOwner against Detach
  TMicrophoneMute* FOwner;
  void (TMicrophoneMute::*FHandler)();
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

// The endpoint's mute and volume changes, from wherever they were made.
class TMicrophoneMute::TVolumeListener final : public TAudioListener<IAudioEndpointVolumeCallback> {
public:
  explicit TVolumeListener(TMicrophoneMute* owner) : TAudioListener(owner, &TMicrophoneMute::StateChanged) {}
  HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA) override {
    Forward();
    return S_OK;
  }
};

// Changes of the default capture device for multimedia; other notifications change nothing.
class TMicrophoneMute::TDeviceListener final : public TAudioListener<IMMNotificationClient> {
public:
  explicit TDeviceListener(TMicrophoneMute* owner) : TAudioListener(owner, &TMicrophoneMute::DefaultDeviceChanged) {}
  HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override {
    if (flow == eCapture && role == eMultimedia) Forward();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }
};

bool HasCoreAudio() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
}

TMicrophoneMute::TMicrophoneMute(TEnumeratorSource source)
    : FEnumeratorSource(source ? std::move(source) : CreateSystemEnumerator) {
  // Made here, on the main thread, before a listener posts to it.
  TMainThreadDispatcher::Instance();
}

TMicrophoneMute::~TMicrophoneMute() {
  ReleaseEnumerator();
  TMainThreadDispatcher::Instance().Cancel(this);
}

void TMicrophoneMute::InitEndpointVolume() {
  FNoCaptureDevice = false;
  try {
    if (!FCom || !FCom->Usable()) FCom.emplace();
    if (!FCom->Usable()) return;
    if (!FMMDevEnum) {
      if (FAILED(FEnumeratorSource(FMMDevEnum.Put())) || !FMMDevEnum) {
        FMMDevEnum.Reset();
        return;
      }
      // Without this listener the toggle still finds the default device; only what the owner
      // shows would lag behind.
      TComPtr<TDeviceListener> listener(new TDeviceListener(this));
      if (SUCCEEDED(FMMDevEnum->RegisterEndpointNotificationCallback(listener.Get())))
        FDeviceListener = std::move(listener);
      else
        listener->Detach();
    }
    TComPtr<IMMDevice> device;
    const HRESULT found = FMMDevEnum->GetDefaultAudioEndpoint(eCapture, eMultimedia, device.Put());
    if (found != S_OK || !device) {
      ReleaseEndpoint();
      FNoCaptureDevice = found == E_NOTFOUND;
      return;
    }
    std::wstring id = DeviceId(*device.Get());
    if (FEndpoint && !FEndpointFailed && !id.empty() && id == FDeviceId) return;
    ReleaseEndpoint();
    TComPtr<IAudioEndpointVolume> endpoint;
    if (device->Activate(kIAudioEndpointVolume, CLSCTX_ALL, nullptr, reinterpret_cast<void**>(endpoint.Put())) !=
            S_OK ||
        !endpoint)
      return;
    TComPtr<TVolumeListener> listener(new TVolumeListener(this));
    if (SUCCEEDED(endpoint->RegisterControlChangeNotify(listener.Get())))
      FVolumeListener = std::move(listener);
    else
      listener->Detach();
    FMMDev = std::move(device);
    FDeviceId = std::move(id);
    FEndpoint = std::move(endpoint);
  } catch (...) {
    // Out of memory: no set-up, as when the system refuses one.
  }
}

void TMicrophoneMute::MicrophoneMute() { platform::LogEvent(u"Microphone mute asked: " + Toggle()); }

std::u16string TMicrophoneMute::Toggle() {
  if (!HasCoreAudio()) {
    const bool muted = GetMixerMute(1);
    SetMixerMute(1, !muted);
    return muted ? u"legacy mixer, set to on" : u"legacy mixer, set to muted";
  }
  InitEndpointVolume();
  if (!FEndpoint) return FNoCaptureDevice ? u"no capture device" : u"the capture device could not be reached";
  const std::u16string device = u"\"" + EndpointName() + u"\" ";
  BOOL muted = FALSE;
  if (FAILED(FEndpoint->GetMute(&muted))) {
    FEndpointFailed = true;
    return device + u"its state could not be read";
  }
  // A write that fails leaves the state as it was; the endpoint is likely gone with its device.
  const bool set = SUCCEEDED(FEndpoint->SetMute(!muted, nullptr));
  if (!set) FEndpointFailed = true;
  StateChanged();
  if (!set) return device + u"the change did not take";
  return device + (muted ? u"on" : u"muted");
}

std::u16string TMicrophoneMute::EndpointName() const {
  TComPtr<IPropertyStore> properties;
  PROPVARIANT name;
  PropVariantInit(&name);
  std::u16string text;
  if (FMMDev && SUCCEEDED(FMMDev->OpenPropertyStore(STGM_READ, properties.Put())) && properties &&
      SUCCEEDED(properties->GetValue(kDeviceFriendlyName, &name)) && name.vt == VT_LPWSTR && name.pwszVal)
    text = U(name.pwszVal);
  PropVariantClear(&name);
  // A device without a name (or a store) is named by its identity.
  return text.empty() ? U(FDeviceId.c_str()) : text;
}

std::optional<bool> TMicrophoneMute::Muted() const {
  if (!FEndpoint) {
    if (FNoCaptureDevice) return false;
    return std::nullopt;
  }
  BOOL muted = FALSE;
  if (FAILED(FEndpoint->GetMute(&muted))) return std::nullopt;
  return muted != FALSE;
}

void TMicrophoneMute::ReleaseEndpoint() {
  if (FVolumeListener) {
    FEndpoint->UnregisterControlChangeNotify(FVolumeListener.Get());
    FVolumeListener->Detach();
    FVolumeListener.Reset();
  }
  FEndpoint.Reset();
  FMMDev.Reset();
  FDeviceId.clear();
  FEndpointFailed = false;
}

void TMicrophoneMute::ReleaseEnumerator() {
  ReleaseEndpoint();
  if (FDeviceListener) {
    FMMDevEnum->UnregisterEndpointNotificationCallback(FDeviceListener.Get());
    FDeviceListener->Detach();
    FDeviceListener.Reset();
  }
  FMMDevEnum.Reset();
}

void TMicrophoneMute::StateChanged() {
  if (OnStateChange) OnStateChange();
}

void TMicrophoneMute::DefaultDeviceChanged() {
  InitEndpointVolume();
  StateChanged();
}

bool TMicrophoneMute::GetMixerMute(int lineType) { return TMixerMute(lineType).Read().value_or(false); }

void TMicrophoneMute::SetMixerMute(int lineType, bool mute) { TMixerMute(lineType).Write(mute); }

}  // namespace vd::win32
