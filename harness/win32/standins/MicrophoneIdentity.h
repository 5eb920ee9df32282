#pragma once
// Where the stand-in capture device keeps its mute state: a 32-bit value of the test
// prefix's registry, which the test reads and sets. Without the value there is no capture
// device. Shared by the stand-in mmdevapi.dll and the test side.

namespace vd::e2e {

inline constexpr wchar_t kMicrophoneKey[] = L"Software\\VardelStandIns\\Microphone";
inline constexpr wchar_t kMicrophoneMutedValue[] = L"Muted";

}  // namespace vd::e2e
