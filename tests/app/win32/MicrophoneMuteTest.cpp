// Microphone mute against the system's Core Audio under Wine.

#include "app/win32/MicrophoneMute.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/win32/Win32Platform.h"

namespace vd::win32 {
namespace {

constexpr CLSID kMMDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr IID kIMMDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
constexpr IID kIAudioEndpointVolume = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};

// The mute state of the default capture endpoint as another client sees it, or nothing
// when the system has no capture device.
class TCaptureEndpoint {
public:
  TCaptureEndpoint() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TComPtr<IMMDeviceEnumerator> devices;
    TComPtr<IMMDevice> device;
    if (FAILED(CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_ALL, kIMMDeviceEnumerator,
                                reinterpret_cast<void**>(devices.Put()))) ||
        devices->GetDefaultAudioEndpoint(eCapture, eMultimedia, device.Put()) != S_OK ||
        device->Activate(kIAudioEndpointVolume, CLSCTX_ALL, nullptr, reinterpret_cast<void**>(FVolume.Put())) != S_OK)
      FVolume.Reset();
  }
  std::optional<bool> Muted() const {
    BOOL muted = FALSE;
    if (!FVolume || FAILED(FVolume->GetMute(&muted))) return std::nullopt;
    return muted != FALSE;
  }
  void SetMuted(bool muted) { FVolume->SetMute(muted, nullptr); }

private:
  TComPtr<IAudioEndpointVolume> FVolume;
};

TEST(MicrophoneMuteTest, EachToggleFlipsTheStateReadAfreshAndTwoRestoreIt) {
  platform::TWin32Platform system;
  ASSERT_TRUE(HasCoreAudio());
  TCaptureEndpoint observer;
  TMicrophoneMute microphone;
  const std::optional<bool> before = observer.Muted();
  if (!before) {
    // Without a capture device a toggle does nothing and shows nothing (a box would block).
    microphone.MicrophoneMute();
    microphone.MicrophoneMute();
    EXPECT_FALSE(observer.Muted().has_value());
    return;
  }
  microphone.MicrophoneMute();
  EXPECT_EQ(observer.Muted(), !*before);
  observer.SetMuted(*before);  // changed elsewhere: the next toggle starts from there
  microphone.MicrophoneMute();
  EXPECT_EQ(observer.Muted(), !*before);
  microphone.MicrophoneMute();
  EXPECT_EQ(observer.Muted(), *before);
}

}  // namespace
}  // namespace vd::win32
