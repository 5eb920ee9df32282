// The stand-in Core Audio library: COM activation of the device enumerator class gives a
// stand-in enumerator with one capture device (the default one in every role), whose mute state lives in the registry
// where the test reads and changes it. Changes are not announced to listeners.

#include <windows.h>

#include "harness/win32/StandInAudio.h"
#include "harness/win32/standins/MicrophoneIdentity.h"

using namespace vd::e2e;
using vd::win32::test::CreateStandInEnumerator;
using vd::win32::test::TStandInAudioState;

namespace {

constexpr CLSID kMMDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};

class TRegistryMicrophone final : public TStandInAudioState {
public:
  std::wstring DefaultCaptureDevice(ERole) override {
    BOOL muted = FALSE;
    return SUCCEEDED(GetMute(L"", muted)) ? L"{0.0.1.00000000}.{vardel-stand-in-microphone}" : L"";
  }
  std::vector<std::wstring> ActiveCaptureDevices() override {
    const std::wstring device = DefaultCaptureDevice(eMultimedia);
    return device.empty() ? std::vector<std::wstring>() : std::vector<std::wstring>{device};
  }
  HRESULT GetMute(const std::wstring&, BOOL& muted) override {
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kMicrophoneKey, kMicrophoneMutedValue, RRF_RT_REG_DWORD,
                                        nullptr, &value, &size);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    muted = value != 0;
    return S_OK;
  }
  HRESULT SetMute(const std::wstring&, BOOL muted) override {
    const DWORD value = muted ? 1 : 0;
    return HRESULT_FROM_WIN32(
        RegSetKeyValueW(HKEY_CURRENT_USER, kMicrophoneKey, kMicrophoneMutedValue, REG_DWORD, &value, sizeof value));
  }
};

TRegistryMicrophone gMicrophone;

// The one class object of the library; it lives as long as the library.
class TEnumeratorFactory final : public IClassFactory {
public:
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IMMDeviceEnumerator* enumerator = nullptr;
    if (const HRESULT result = CreateStandInEnumerator(gMicrophone, &enumerator); FAILED(result)) return result;
    const HRESULT result = enumerator->QueryInterface(iid, object);
    enumerator->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

TEnumeratorFactory gFactory;

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, kMMDeviceEnumerator)) return CLASS_E_CLASSNOTAVAILABLE;
  return gFactory.QueryInterface(iid, object);
}

// Objects handed out refer to the library's state: it stays loaded.
__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }

}  // extern "C"
