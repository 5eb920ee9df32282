#pragma once
// Where the profile store lives: the user's registry key with its value names, and the
// profile folder in the documents folder. The configurator uses the same names.

namespace vd {

// Below HKEY_CURRENT_USER.
inline constexpr char16_t ProfileStoreKeyPath[] = u"software\\Vardelngmmouse";
inline constexpr char16_t ProfileGroupValueName[] = u"T362ProfileSettingGroup.pfd";
inline constexpr char16_t AllSettingValueName[] = u"T362Profile.pfd";
// The active profile index (a 32-bit value), written by the monitor and never read by it.
inline constexpr char16_t ProfileIDValueName[] = u"ProfileID";

// In the documents folder.
inline constexpr char16_t ProfileFolderName[] = u"Gaming Mouse Vardeln";

}  // namespace vd
