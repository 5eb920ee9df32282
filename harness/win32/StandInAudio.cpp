#include "harness/win32/StandInAudio.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "platform/win32/ComObject.h"

namespace vd::win32::test {

namespace {

constexpr HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
// AUDCLNT_E_DEVICE_INVALIDATED: the device went away under its client.
constexpr HRESULT kDeviceInvalidated = static_cast<HRESULT>(0x88890004);
std::atomic<int> gLiveObjects{0};

// A stand-in object, counted while it lives.
template <class TInterface>
class TStandInObject : public win32::TComObject<TInterface> {
public:
  TStandInObject() { ++gLiveObjects; }
  ~TStandInObject() override { --gLiveObjects; }
};

class TVolume final : public TStandInObject<IAudioEndpointVolume> {
public:
  TVolume(TStandInAudioState& state, std::wstring device) : FState(state), FDevice(std::move(device)) {}

  HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) override {
    if (!callback) return E_POINTER;
    FState.Register(FDevice, callback);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) override {
    if (!callback) return E_POINTER;
    FState.Unregister(callback);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMute(BOOL* muted) override {
    if (!muted) return E_POINTER;
    return FState.GetMute(FDevice, *muted);
  }
  HRESULT STDMETHODCALLTYPE SetMute(BOOL muted, LPCGUID) override { return FState.SetMute(FDevice, muted); }

  // Volume levels are not part of the stand-in.
  HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(float, LPCGUID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(float, LPCGUID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, float, LPCGUID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, float, LPCGUID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, float*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT*, UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVolumeRange(float*, float*, float*) override { return E_NOTIMPL; }

private:
  TStandInAudioState& FState;
  const std::wstring FDevice;
};

class TDevice final : public TStandInObject<IMMDevice> {
public:
  TDevice(TStandInAudioState& state, std::wstring id) : FState(state), FId(std::move(id)) {}

  HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD, PROPVARIANT*, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, __uuidof(IAudioEndpointVolume))) return E_NOINTERFACE;
    if (const HRESULT refused = FState.Activate(FId); FAILED(refused)) return refused;
    *object = static_cast<IAudioEndpointVolume*>(new TVolume(FState, FId));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetId(LPWSTR* id) override {
    if (!id) return E_POINTER;
    const std::size_t bytes = (FId.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, FId.c_str(), bytes);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetState(DWORD* state) override {
    if (!state) return E_POINTER;
    *state = DEVICE_STATE_ACTIVE;
    return S_OK;
  }

private:
  TStandInAudioState& FState;
  const std::wstring FId;
};

class TDevices final : public TStandInObject<IMMDeviceCollection> {
public:
  TDevices(TStandInAudioState& state, std::vector<std::wstring> ids) : FState(state), FIds(std::move(ids)) {}

  HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = static_cast<UINT>(FIds.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Item(UINT index, IMMDevice** device) override {
    if (!device) return E_POINTER;
    *device = index < FIds.size() ? new TDevice(FState, FIds[index]) : nullptr;
    return *device ? S_OK : E_INVALIDARG;
  }

private:
  TStandInAudioState& FState;
  const std::vector<std::wstring> FIds;
};

class TEnumerator final : public TStandInObject<IMMDeviceEnumerator> {
public:
  explicit TEnumerator(TStandInAudioState& state) : FState(state) {}

  HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow flow, DWORD, IMMDeviceCollection** devices) override {
    if (!devices) return E_POINTER;
    *devices = new TDevices(FState, flow == eCapture ? FState.ActiveCaptureDevices() : std::vector<std::wstring>());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device) override {
    if (!device) return E_POINTER;
    *device = nullptr;
    const std::wstring id = flow == eCapture ? FState.DefaultCaptureDevice(role) : std::wstring();
    if (id.empty()) return kNotFound;
    *device = new TDevice(FState, id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR id, IMMDevice** device) override {
    if (!id || !device) return E_POINTER;
    *device = new TDevice(FState, id);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient* client) override {
    if (!client) return E_POINTER;
    FState.Register(client);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient* client) override {
    if (!client) return E_POINTER;
    FState.Unregister(client);
    return S_OK;
  }

private:
  TStandInAudioState& FState;
};

// As the audio service does: from a thread of its own, and back once it is done.
void OnServiceThread(const std::function<void()>& notify) { std::thread(notify).join(); }

}  // namespace

HRESULT CreateStandInEnumerator(TStandInAudioState& state, IMMDeviceEnumerator** enumerator) {
  if (!enumerator) return E_POINTER;
  *enumerator = new TEnumerator(state);
  return S_OK;
}

int LiveStandInAudioObjects() { return gLiveObjects; }

void TStandInAudioSystem::AddDevice(const std::wstring& id, bool muted) { FDevices[id].Muted = muted; }

void TStandInAudioSystem::SetDefault(const std::wstring& id, bool notify) {
  FDefault = id;
  if (notify) NotifyDefault(eMultimedia, id);
}

void TStandInAudioSystem::SetCommunicationsDefault(const std::wstring& id, bool notify) {
  FCommunications = id;
  if (notify) NotifyDefault(eCommunications, id);
}

void TStandInAudioSystem::NotifyDefault(ERole role, const std::wstring& id) {
  OnServiceThread([&] {
    for (IMMNotificationClient* client : FClients)
      client->OnDefaultDeviceChanged(eCapture, role, id.empty() ? nullptr : id.c_str());
  });
}

std::vector<std::wstring> TStandInAudioSystem::ActiveCaptureDevices() {
  std::vector<std::wstring> ids;
  for (const auto& [id, device] : FDevices) ids.push_back(id);
  return ids;
}

void TStandInAudioSystem::MuteElsewhere(const std::wstring& id, bool muted) {
  FDevices.at(id).Muted = muted;
  NotifyVolume(id);
}

void TStandInAudioSystem::FailGetMute(const std::wstring& id, bool fail) { FDevices.at(id).GetMuteFails = fail; }

void TStandInAudioSystem::FailSetMute(const std::wstring& id, bool fail) { FDevices.at(id).SetMuteFails = fail; }

void TStandInAudioSystem::FailActivate(const std::wstring& id, bool fail) { FDevices.at(id).ActivateFails = fail; }

std::function<HRESULT(IMMDeviceEnumerator**)> TStandInAudioSystem::Source() {
  return [this](IMMDeviceEnumerator** enumerator) { return CreateStandInEnumerator(*this, enumerator); };
}

HRESULT TStandInAudioSystem::GetMute(const std::wstring& device, BOOL& muted) {
  const TDevice& d = FDevices.at(device);
  if (d.GetMuteFails) return kDeviceInvalidated;
  muted = d.Muted;
  return S_OK;
}

HRESULT TStandInAudioSystem::SetMute(const std::wstring& device, BOOL muted) {
  ++FSetMuteCalls;
  if (FDevices.at(device).SetMuteFails) return kDeviceInvalidated;
  FDevices.at(device).Muted = muted != FALSE;
  NotifyVolume(device);
  return S_OK;
}

HRESULT TStandInAudioSystem::Activate(const std::wstring& device) {
  return FDevices.at(device).ActivateFails ? kDeviceInvalidated : S_OK;
}

void TStandInAudioSystem::Unregister(IMMNotificationClient* client) { std::erase(FClients, client); }

void TStandInAudioSystem::Register(const std::wstring& device, IAudioEndpointVolumeCallback* callback) {
  FCallbacks.emplace_back(device, callback);
  ++FVolumeListenersRegistered;
}

void TStandInAudioSystem::Unregister(IAudioEndpointVolumeCallback* callback) {
  std::erase_if(FCallbacks, [callback](const auto& registered) { return registered.second == callback; });
}

void TStandInAudioSystem::NotifyVolume(const std::wstring& id) {
  AUDIO_VOLUME_NOTIFICATION_DATA data{};
  data.bMuted = FDevices.at(id).Muted;
  data.nChannels = 1;
  OnServiceThread([&] {
    for (const auto& [device, callback] : FCallbacks)
      if (device == id) callback->OnNotify(&data);
  });
}

}  // namespace vd::win32::test
