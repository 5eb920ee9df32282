#include "app/Microphone.h"

#include <algorithm>

namespace vd {

namespace {
bool NoneKnown(std::span<const std::optional<bool>> states) {
  return std::none_of(states.begin(), states.end(), [](const std::optional<bool>& s) { return s.has_value(); });
}
}  // namespace

std::optional<bool> MutedInScope(std::span<const std::optional<bool>> states) {
  if (NoneKnown(states)) return std::nullopt;
  return std::all_of(states.begin(), states.end(), [](const std::optional<bool>& s) { return s == true; });
}

std::optional<bool> ToggleTarget(std::span<const std::optional<bool>> states) {
  const std::optional<bool> muted = MutedInScope(states);
  if (!muted) return std::nullopt;
  return !*muted;
}

std::optional<TMuteCue> CueAfterToggle(std::optional<bool> before, std::optional<bool> after) {
  if (!after || after == before) return std::nullopt;
  return *after ? TMuteCue::Muted : TMuteCue::Unmuted;
}

}  // namespace vd
