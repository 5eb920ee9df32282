#include "ui/win32/TaskbarTheme.h"

namespace vd::win32 {

TTaskbarTheme TaskbarThemeOf(bool highContrast, std::optional<DWORD> systemUsesLightTheme) {
  if (highContrast) return TTaskbarTheme::HighContrast;
  return systemUsesLightTheme.value_or(0) != 0 ? TTaskbarTheme::Light : TTaskbarTheme::Dark;
}

TTaskbarTheme SystemTaskbarTheme() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  const bool highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                            (contrast.dwFlags & HCF_HIGHCONTRASTON);
  DWORD light = 0, size = sizeof light;
  const bool stored =
      RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                   L"SystemUsesLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size) == ERROR_SUCCESS;
  return TaskbarThemeOf(highContrast, stored ? std::optional<DWORD>(light) : std::nullopt);
}

std::wstring ThemedIconName(const std::wstring& name, TTaskbarTheme theme) {
  switch (theme) {
    case TTaskbarTheme::Light:
      return name + L"_LIGHT";
    case TTaskbarTheme::HighContrast:
      return name + L"_HC";
    case TTaskbarTheme::Dark:
      break;
  }
  return name;
}

}  // namespace vd::win32
