#include "app/win32/CoreAudioMicrophone.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "platform/EventLog.h"
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

// The device's friendly name, for the log; its identity when it has none (or no store).
std::u16string DeviceName(IMMDevice& device, const std::wstring& id) {
  TComPtr<IPropertyStore> properties;
  PROPVARIANT name;
  PropVariantInit(&name);
  std::u16string text;
  if (SUCCEEDED(device.OpenPropertyStore(STGM_READ, properties.Put())) && properties &&
      SUCCEEDED(properties->GetValue(kDeviceFriendlyName, &name)) && name.vt == VT_LPWSTR && name.pwszVal)
    text = U(name.pwszVal);
  PropVariantClear(&name);
  return text.empty() ? U(id.c_str()) : text;
}

// A reference-counted listener of the audio service implementing one callback interface.
// The service calls it on threads of its own; it hands each notification to its owner on the
// main thread until Detach. The owner keeps a reference for as long as the listener is
// registered, and unregisters it before letting go: its life never rests on references held
// by the service.
template <class TInterface>
class TAudioListener : public TComObject<TInterface> {
public:
  TAudioListener(TCoreAudioMicrophone* owner, void (TCoreAudioMicrophone::*handler)())
      : FOwner(owner), FHandler(handler) {}

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
    TCoreAudioMicrophone* owner = FOwner;
    const auto handler = FHandler;
    TMainThreadDispatcher::Instance().Post(owner, [owner, handler] { (owner->*handler)(); });
  }

private:
  std::mutex FLock;  // guards FOwner against Detach
  TCoreAudioMicrophone* FOwner;
  void (TCoreAudioMicrophone::*FHandler)();
};

}  // namespace

// The endpoint's mute and volume changes, from wherever they were made.
class TCoreAudioMicrophone::TVolumeListener final : public TAudioListener<IAudioEndpointVolumeCallback> {
public:
  explicit TVolumeListener(TCoreAudioMicrophone* owner) : TAudioListener(owner, &TCoreAudioMicrophone::StateChanged) {}
  HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA) override {
    Forward();
    return S_OK;
  }
};

// Changes of the default capture devices and of the devices present; other notifications
// change nothing.
class TCoreAudioMicrophone::TDeviceListener final : public TAudioListener<IMMNotificationClient> {
public:
  explicit TDeviceListener(TCoreAudioMicrophone* owner)
      : TAudioListener(owner, &TCoreAudioMicrophone::DevicesChanged) {}
  HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override {
    if (flow == eCapture && (role == eMultimedia || role == eCommunications)) Forward();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override {
    Forward();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override {
    Forward();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override {
    Forward();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }
};

// A capture device in scope: its endpoint volume, none when the device refused it.
struct TCoreAudioMicrophone::TEndpoint {
  std::wstring Id;
  std::u16string Name;  // for the log
  TComPtr<IAudioEndpointVolume> Volume;
  TComPtr<TVolumeListener> Listener;  // registered with Volume
  bool Failed = false;                // its state could not be read or set: set up anew

  std::optional<bool> Muted() const {
    BOOL muted = FALSE;
    if (!Volume || FAILED(Volume->GetMute(&muted))) return std::nullopt;
    return muted != FALSE;
  }
  void Release() {
    if (Listener) {
      Volume->UnregisterControlChangeNotify(Listener.Get());
      Listener->Detach();
      Listener.Reset();
    }
    Volume.Reset();
  }
};

bool HasCoreAudio() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
}

TCoreAudioMicrophone::TCoreAudioMicrophone(TEnumeratorSource source)
    : FEnumeratorSource(source ? std::move(source) : CreateSystemEnumerator) {
  // Made here, on the main thread, before a listener posts to it.
  TMainThreadDispatcher::Instance();
}

TCoreAudioMicrophone::~TCoreAudioMicrophone() {
  ReleaseEnumerator();
  TMainThreadDispatcher::Instance().Cancel(this);
}

void TCoreAudioMicrophone::InitEndpointVolume() {
  FNoCaptureDevice = false;
  try {
    if (!FCom || !FCom->Usable()) FCom.emplace();
    if (!FCom->Usable()) return;
    if (!FMMDevEnum) {
      if (FAILED(FEnumeratorSource(FMMDevEnum.Put())) || !FMMDevEnum) {
        FMMDevEnum.Reset();
        return;
      }
      // Without this listener the toggle still finds the devices in scope; only what the
      // owner shows would lag behind.
      TComPtr<TDeviceListener> listener(new TDeviceListener(this));
      if (SUCCEEDED(FMMDevEnum->RegisterEndpointNotificationCallback(listener.Get())))
        FDeviceListener = std::move(listener);
      else
        listener->Detach();
    }
    bool known = true;
    const std::vector<std::wstring> ids = DevicesInScope(MuteScope(), known);
    // What is bound of a device still in scope stays; the rest goes.
    std::vector<TEndpoint> endpoints;
    for (const std::wstring& id : ids) {
      const auto bound = std::find_if(FEndpoints.begin(), FEndpoints.end(), [&](const TEndpoint& endpoint) {
        return endpoint.Id == id && endpoint.Volume && !endpoint.Failed;
      });
      if (bound != FEndpoints.end()) {
        endpoints.push_back(std::move(*bound));
        FEndpoints.erase(bound);
      } else {
        endpoints.push_back(TEndpoint{id, {}, {}, {}, false});
      }
    }
    ReleaseEndpoints();
    FEndpoints = std::move(endpoints);
    for (TEndpoint& endpoint : FEndpoints)
      if (!endpoint.Volume) Bind(endpoint);
    FNoCaptureDevice = ids.empty() && known;
  } catch (...) {
    // Out of memory: no set-up, as when the system refuses one.
  }
}

std::vector<std::wstring> TCoreAudioMicrophone::DevicesInScope(TMuteScope scope, bool& known) {
  std::vector<std::wstring> ids;
  const auto add = [&](const std::wstring& id) {
    if (!id.empty() && std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  };
  const auto addDefault = [&](ERole role) {
    TComPtr<IMMDevice> device;
    const HRESULT found = FMMDevEnum->GetDefaultAudioEndpoint(eCapture, role, device.Put());
    if (found == S_OK && device)
      add(DeviceId(*device.Get()));
    else if (found != E_NOTFOUND)
      known = false;
  };
  addDefault(eMultimedia);
  if (scope == TMuteScope::DefaultAndCommunications) addDefault(eCommunications);
  if (scope == TMuteScope::EveryActiveDevice) {
    TComPtr<IMMDeviceCollection> devices;
    UINT count = 0;
    if (FAILED(FMMDevEnum->EnumAudioEndpoints(eCapture, DEVICE_STATE_ACTIVE, devices.Put())) || !devices ||
        FAILED(devices->GetCount(&count))) {
      known = false;
      return ids;
    }
    for (UINT i = 0; i < count; ++i) {
      TComPtr<IMMDevice> device;
      if (SUCCEEDED(devices->Item(i, device.Put())) && device) add(DeviceId(*device.Get()));
    }
  }
  return ids;
}

void TCoreAudioMicrophone::Bind(TEndpoint& endpoint) {
  TComPtr<IMMDevice> device;
  TComPtr<IAudioEndpointVolume> volume;
  if (FMMDevEnum->GetDevice(endpoint.Id.c_str(), device.Put()) != S_OK || !device ||
      device->Activate(kIAudioEndpointVolume, CLSCTX_ALL, nullptr, reinterpret_cast<void**>(volume.Put())) != S_OK ||
      !volume)
    return;
  endpoint.Name = DeviceName(*device.Get(), endpoint.Id);
  TComPtr<TVolumeListener> listener(new TVolumeListener(this));
  if (SUCCEEDED(volume->RegisterControlChangeNotify(listener.Get())))
    endpoint.Listener = std::move(listener);
  else
    listener->Detach();
  endpoint.Volume = std::move(volume);
}

void TCoreAudioMicrophone::Toggle() {
  InitEndpointVolume();
  std::vector<std::optional<bool>> states;
  for (TEndpoint& endpoint : FEndpoints) {
    states.push_back(endpoint.Muted());
    if (endpoint.Volume && !states.back()) endpoint.Failed = true;
  }
  const std::optional<bool> target = ToggleTarget(states);
  std::u16string outcome;
  for (std::size_t i = 0; i < FEndpoints.size(); ++i) {
    TEndpoint& endpoint = FEndpoints[i];
    if (!outcome.empty()) outcome += u", ";
    outcome += u"\"" + (endpoint.Name.empty() ? U(endpoint.Id.c_str()) : endpoint.Name) + u"\" ";
    if (!states[i]) {
      outcome += endpoint.Volume ? u"its state could not be read" : u"could not be reached";
      continue;
    }
    // A write that fails leaves the state as it was; the endpoint is likely gone with its device.
    if (*states[i] != *target && FAILED(endpoint.Volume->SetMute(*target, nullptr))) {
      endpoint.Failed = true;
      outcome += u"the change did not take";
      continue;
    }
    outcome += *target ? u"muted" : u"on";
  }
  // The tray shows the new state before the log file is written.
  if (target) StateChanged();
  platform::LogEvent(
      u"Microphone mute asked: " +
      (FEndpoints.empty()
           ? std::u16string(FNoCaptureDevice ? u"no capture device" : u"the capture devices could not be reached")
           : outcome));
}

std::optional<bool> TCoreAudioMicrophone::Muted() const {
  if (!HasCaptureDevice()) {
    if (FNoCaptureDevice) return false;
    return std::nullopt;
  }
  std::vector<std::optional<bool>> states;
  for (const TEndpoint& endpoint : FEndpoints) states.push_back(endpoint.Muted());
  return MutedInScope(states);
}

bool TCoreAudioMicrophone::HasCaptureDevice() const {
  return std::any_of(FEndpoints.begin(), FEndpoints.end(),
                     [](const TEndpoint& endpoint) { return endpoint.Volume.Get() != nullptr; });
}

void TCoreAudioMicrophone::ReleaseEndpoints() {
  for (TEndpoint& endpoint : FEndpoints) endpoint.Release();
  FEndpoints.clear();
}

void TCoreAudioMicrophone::ReleaseEnumerator() {
  ReleaseEndpoints();
  if (FDeviceListener) {
    FMMDevEnum->UnregisterEndpointNotificationCallback(FDeviceListener.Get());
    FDeviceListener->Detach();
    FDeviceListener.Reset();
  }
  FMMDevEnum.Reset();
}

void TCoreAudioMicrophone::StateChanged() {
  if (OnStateChange) OnStateChange();
}

void TCoreAudioMicrophone::DevicesChanged() {
  InitEndpointVolume();
  StateChanged();
}

}  // namespace vd::win32
