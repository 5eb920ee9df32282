#pragma once
// The factory defaults of the profile records, written over a record's existing bytes.
// The game profiles and the all-settings record change only the fields they define and
// keep every other byte as it was.

#include <cstdint>
#include <string>

#include "profile/ProfileRecords.h"

namespace vd {

inline constexpr std::int32_t ProfileFileVersion = 259;

// Stores the current local date and time as a date-time double (little-endian) into an
// 8-byte profile identity.
void NewProfileUID(std::uint8_t (&uid)[8]);

// Defaults of game profile `game` (1..5): identity and version, buttons 0..9, pointer,
// wheel, CPI levels and LED. The identity is the local date-time now.
void SetGameProfileDefaults(TMouseProfileInfo& profile, int game);

// The language position that the defaults store for a system default language id:
// 1 for 0x0804 (Chinese, PRC), 2 for 0x0404 (Chinese, Taiwan), else 0.
std::uint8_t DefaultLanguageIndex(std::uint16_t systemLangID);

// Defaults of the all-settings record: every game stored in the registry, game 0 current.
void SetAllSettingDefaults(TALLGAMESINFO& info, std::uint16_t systemLangID);

// Defaults of the profile group record, with every game in the registry, its file and
// macro folder in `profileFolder` (no trailing backslash). Creates the profile folder and
// the macro folders (one level each) when missing; a folder that cannot be created raises
// EInOutError, and the entries written before keep their new values.
void SetProfileGroupDefaults(TProfileSettingGroup& group, const std::u16string& profileFolder);

}  // namespace vd
