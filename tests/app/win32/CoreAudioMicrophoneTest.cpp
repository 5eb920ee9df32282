// Microphone mute against the system's Core Audio under Wine, and against stand-in capture
// devices: which device a toggle acts on, what it does when the state cannot be read, and
// what the owner hears of.

#include "app/win32/CoreAudioMicrophone.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <optional>

#include "harness/win32/StandInAudio.h"
#include "platform/win32/MessageLoop.h"
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
  TCoreAudioMicrophone microphone;
  const std::optional<bool> before = observer.Muted();
  if (!before) {
    // Without a capture device a toggle does nothing and shows nothing (a box would block).
    microphone.Toggle();
    microphone.Toggle();
    EXPECT_FALSE(observer.Muted().has_value());
    return;
  }
  microphone.Toggle();
  EXPECT_EQ(observer.Muted(), !*before);
  observer.SetMuted(*before);  // changed elsewhere: the next toggle starts from there
  microphone.Toggle();
  EXPECT_EQ(observer.Muted(), !*before);
  microphone.Toggle();
  EXPECT_EQ(observer.Muted(), *before);
}

// Capture devices "A" (live) and "B" (muted), "A" the default one.
class StandInMicrophoneTest : public ::testing::Test {
protected:
  StandInMicrophoneTest() {
    FAudio.AddDevice(L"A", false);
    FAudio.AddDevice(L"B", true);
    FAudio.SetDefault(L"A", false);
    FMute->OnStateChange = [this] {
      ++FStateChanges;
      EXPECT_EQ(GetCurrentThreadId(), FMainThread);
    };
  }
  void TearDown() override {
    FMute.reset();
    // Every listener was unregistered before it went, and every object released.
    EXPECT_EQ(FAudio.Registrations(), 0);
    EXPECT_EQ(test::LiveStandInAudioObjects(), 0);
  }
  // Runs what the listeners handed to the main thread.
  static void Deliver() { ProcessMessages(); }

  platform::TWin32Platform FSystem;
  test::TStandInAudioSystem FAudio;
  std::unique_ptr<TCoreAudioMicrophone> FMute = std::make_unique<TCoreAudioMicrophone>(FAudio.Source());
  int FStateChanges = 0;
  const DWORD FMainThread = GetCurrentThreadId();
};

TEST_F(StandInMicrophoneTest, TwoTogglesRestoreTheStateAndAChangeMadeElsewhereIsReadAfresh) {
  FMute->Toggle();
  EXPECT_TRUE(FAudio.Muted(L"A"));
  EXPECT_EQ(FMute->Muted(), true);
  FMute->Toggle();
  EXPECT_FALSE(FAudio.Muted(L"A"));
  FAudio.MuteElsewhere(L"A", true);
  FMute->Toggle();
  EXPECT_FALSE(FAudio.Muted(L"A"));
  EXPECT_TRUE(FAudio.Muted(L"B"));
}

TEST_F(StandInMicrophoneTest, WithoutACaptureDeviceTogglesDoNothingUntilOneComes) {
  FAudio.SetDefault(L"", false);
  FMute->InitEndpointVolume();
  FMute->Toggle();
  FMute->Toggle();
  EXPECT_EQ(FAudio.SetMuteCalls(), 0);
  EXPECT_EQ(FMute->Muted(), false);
  FAudio.SetDefault(L"A", false);
  FMute->Toggle();
  EXPECT_TRUE(FAudio.Muted(L"A"));
}

// Whether the system announces the new default device or not, the toggle finds it.
TEST_F(StandInMicrophoneTest, ToggleActsOnTheDeviceDefaultNowAndLeavesTheOldOneAlone) {
  for (const bool announced : {true, false}) {
    SCOPED_TRACE(announced ? "announced" : "not announced");
    FAudio.MuteElsewhere(L"A", false);
    FAudio.MuteElsewhere(L"B", true);
    FAudio.SetDefault(L"A", false);
    FMute->Toggle();
    ASSERT_TRUE(FAudio.Muted(L"A"));
    FAudio.SetDefault(L"B", announced);
    Deliver();
    FMute->Toggle();
    EXPECT_FALSE(FAudio.Muted(L"B"));
    EXPECT_TRUE(FAudio.Muted(L"A"));
  }
}

TEST_F(StandInMicrophoneTest, AStateThatCannotBeReadSetsNothingAndTheNextToggleSetsUpAnew) {
  FMute->InitEndpointVolume();
  ASSERT_EQ(FAudio.VolumeListenersRegistered(), 1);
  FAudio.FailGetMute(L"A", true);
  FMute->Toggle();
  EXPECT_EQ(FAudio.SetMuteCalls(), 0);
  EXPECT_EQ(FMute->Muted(), std::nullopt);
  FAudio.FailGetMute(L"A", false);
  FMute->Toggle();
  EXPECT_TRUE(FAudio.Muted(L"A"));
  EXPECT_EQ(FAudio.VolumeListenersRegistered(), 2);
  EXPECT_EQ(FAudio.Registrations(), 2);  // the enumerator's listener and one volume listener
}

TEST_F(StandInMicrophoneTest, AWriteThatFailsLeavesTheStateAndTheNextToggleSetsUpAnew) {
  FMute->InitEndpointVolume();
  FAudio.FailSetMute(L"A", true);
  FMute->Toggle();
  EXPECT_EQ(FAudio.SetMuteCalls(), 1);
  EXPECT_FALSE(FAudio.Muted(L"A"));
  EXPECT_EQ(FMute->Muted(), false);
  EXPECT_EQ(FStateChanges, 1);  // what the owner shows is read again
  FAudio.FailSetMute(L"A", false);
  FMute->Toggle();
  EXPECT_TRUE(FAudio.Muted(L"A"));
  EXPECT_EQ(FAudio.VolumeListenersRegistered(), 2);
}

// A capture device whose state the set-up could not reach is neither muted nor live.
TEST_F(StandInMicrophoneTest, ASetUpThatFailsLeavesTheStateUnknown) {
  EXPECT_EQ(FMute->Muted(), std::nullopt);  // not set up yet
  const auto noCoreAudio = [](IMMDeviceEnumerator**) -> HRESULT { return REGDB_E_CLASSNOTREG; };
  const auto outOfMemory = [](IMMDeviceEnumerator**) -> HRESULT { throw std::bad_alloc(); };
  const struct {
    const char* What;
    TCoreAudioMicrophone::TEnumeratorSource Source;
    bool RefuseActivation;
  } cases[] = {
      {"no Core Audio", noCoreAudio, false},
      {"the device refuses its endpoint volume", FAudio.Source(), true},
      {"the set-up runs out of memory", outOfMemory, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    FAudio.FailActivate(L"A", c.RefuseActivation);
    TCoreAudioMicrophone microphone(c.Source);
    microphone.InitEndpointVolume();
    EXPECT_EQ(microphone.Muted(), std::nullopt);
    microphone.Toggle();
    EXPECT_EQ(microphone.Muted(), std::nullopt);
  }
  EXPECT_EQ(FAudio.SetMuteCalls(), 0);
}

TEST_F(StandInMicrophoneTest, TheOwnerHearsOfEveryChangeOnTheMainThread) {
  FMute->InitEndpointVolume();
  FAudio.MuteElsewhere(L"A", true);  // from the service's thread
  EXPECT_EQ(FStateChanges, 0);
  Deliver();
  EXPECT_EQ(FStateChanges, 1);
  EXPECT_EQ(FMute->Muted(), true);
  FAudio.SetDefault(L"", true);
  Deliver();
  EXPECT_EQ(FStateChanges, 2);
  EXPECT_EQ(FMute->Muted(), false);
  FAudio.SetDefault(L"B", true);
  Deliver();
  EXPECT_EQ(FStateChanges, 3);
  EXPECT_EQ(FMute->Muted(), true);
  FMute->Toggle();
  EXPECT_GE(FStateChanges, 4);
  EXPECT_EQ(FMute->Muted(), false);
}

}  // namespace
}  // namespace vd::win32
