#pragma once
// The look of the task bar, which a tray icon's picture follows so that it reads well on it:
// dark (Windows' default), light, or high contrast. The user's settings say which: high
// contrast when it is on (SPI_GETHIGHCONTRAST), else SystemUsesLightTheme under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize (non-zero: light;
// missing: dark). A change of either is announced with WM_SETTINGCHANGE.

#include <windows.h>

#include <optional>
#include <string>

namespace vd::win32 {

enum class TTaskbarTheme { Dark, Light, HighContrast };

TTaskbarTheme TaskbarThemeOf(bool highContrast, std::optional<DWORD> systemUsesLightTheme);
// What the user's settings say now.
TTaskbarTheme SystemTaskbarTheme();

// The icon resource drawn for the theme: the name itself for a dark task bar, with "_LIGHT"
// or "_HC" after it for the others.
std::wstring ThemedIconName(const std::wstring& name, TTaskbarTheme theme);

}  // namespace vd::win32
