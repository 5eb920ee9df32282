#pragma once
// Stand-in Core Audio: a device enumerator, its capture devices and their endpoint volumes,
// over a state that the user of the stand-in keeps: in memory for the Windows tests, in the
// registry for the stand-in mmdevapi.dll that the end-to-end tests give the monitor.

#include <windows.h>
// These need windows.h first.
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vd::win32::test {

class TStandInAudioState {
public:
  virtual ~TStandInAudioState() = default;
  // The default capture device for the role (multimedia or communications); empty when there
  // is none.
  virtual std::wstring DefaultCaptureDevice(ERole role) = 0;
  // Every active capture device.
  virtual std::vector<std::wstring> ActiveCaptureDevices() = 0;
  virtual HRESULT GetMute(const std::wstring& device, BOOL& muted) = 0;
  virtual HRESULT SetMute(const std::wstring& device, BOOL muted) = 0;
  // Whether the device gives its endpoint volume.
  virtual HRESULT Activate(const std::wstring& /*device*/) { return S_OK; }
  // Clients registered with the enumerator and with a device's endpoint volume. Like the
  // system's service, the state is not asked to keep them alive.
  virtual void Register(IMMNotificationClient*) {}
  virtual void Unregister(IMMNotificationClient*) {}
  virtual void Register(const std::wstring& /*device*/, IAudioEndpointVolumeCallback*) {}
  virtual void Unregister(IAudioEndpointVolumeCallback*) {}
};

// A new enumerator over the state, with one reference, as CoCreateInstance gives it.
HRESULT CreateStandInEnumerator(TStandInAudioState& state, IMMDeviceEnumerator** enumerator);
// Stand-in objects alive in this module.
int LiveStandInAudioObjects();

// Capture devices in memory. What the audio service reports to registered clients comes from
// a thread of its own, and the call returns once they have heard it.
class TStandInAudioSystem : public TStandInAudioState {
public:
  void AddDevice(const std::wstring& id, bool muted);
  // Makes a device the default one (none: empty). Registered clients hear of it when `notify`.
  // The default communications device is the same one until it is set on its own.
  void SetDefault(const std::wstring& id, bool notify = true);
  void SetCommunicationsDefault(const std::wstring& id, bool notify = true);
  // Another program mutes or unmutes a device; the listeners of its volume hear of it.
  void MuteElsewhere(const std::wstring& id, bool muted);
  // Calls of a device that fail until told otherwise, as calls to a device that went away do.
  void FailGetMute(const std::wstring& id, bool fail);
  void FailSetMute(const std::wstring& id, bool fail);
  void FailActivate(const std::wstring& id, bool fail);
  bool Muted(const std::wstring& id) const { return FDevices.at(id).Muted; }
  int SetMuteCalls() const { return FSetMuteCalls; }
  // Clients and volume listeners registered now.
  int Registrations() const { return static_cast<int>(FClients.size() + FCallbacks.size()); }
  // Volume listeners registered so far, in all: one per set-up of an endpoint.
  int VolumeListenersRegistered() const { return FVolumeListenersRegistered; }
  // The enumerator's source, for the code under test.
  std::function<HRESULT(IMMDeviceEnumerator**)> Source();

  std::wstring DefaultCaptureDevice(ERole role) override {
    return role == eCommunications && FCommunications ? *FCommunications : FDefault;
  }
  std::vector<std::wstring> ActiveCaptureDevices() override;
  HRESULT GetMute(const std::wstring& device, BOOL& muted) override;
  HRESULT SetMute(const std::wstring& device, BOOL muted) override;
  HRESULT Activate(const std::wstring& device) override;
  void Register(IMMNotificationClient* client) override { FClients.push_back(client); }
  void Unregister(IMMNotificationClient* client) override;
  void Register(const std::wstring& device, IAudioEndpointVolumeCallback* callback) override;
  void Unregister(IAudioEndpointVolumeCallback* callback) override;

private:
  struct TDevice {
    bool Muted = false;
    bool GetMuteFails = false;
    bool SetMuteFails = false;
    bool ActivateFails = false;
  };
  void NotifyVolume(const std::wstring& id);

  void NotifyDefault(ERole role, const std::wstring& id);

  std::map<std::wstring, TDevice> FDevices;
  std::wstring FDefault;
  std::optional<std::wstring> FCommunications;
  int FSetMuteCalls = 0;
  int FVolumeListenersRegistered = 0;
  std::vector<IMMNotificationClient*> FClients;
  std::vector<std::pair<std::wstring, IAudioEndpointVolumeCallback*>> FCallbacks;
};

}  // namespace vd::win32::test
