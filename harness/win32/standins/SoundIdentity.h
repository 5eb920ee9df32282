#pragma once
// Where the stand-in sound library keeps what it was asked to play: values of the test
// prefix's registry, which the driving program reads. Shared by the stand-in winmm.dll and the
// driving side.

#include <cstddef>
#include <cstdint>

namespace vd::e2e {

inline constexpr wchar_t kSoundKey[] = L"Software\\VardelStandIns\\Sound";
inline constexpr wchar_t kSoundPlaysValue[] = L"Plays";  // how many sounds were asked for
inline constexpr wchar_t kSoundLastValue[] = L"Last";    // the last one's fingerprint
inline constexpr wchar_t kSoundFlagsValue[] = L"Flags";  // the last one's flags

// A WAV file's fingerprint: FNV-1a over its bytes, as its RIFF header gives their count.
inline std::uint32_t WaveFingerprint(const void* wave) {
  const auto* bytes = static_cast<const std::uint8_t*>(wave);
  const std::size_t size = 8 + (bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<std::size_t>(bytes[7]) << 24);
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 16777619u;
  return hash;
}

}  // namespace vd::e2e
