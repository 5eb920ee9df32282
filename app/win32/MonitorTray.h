#pragma once
// The monitor's tray icon and its menu: the menu captions and the hint in the active
// language, and the microphone's state in the icon and the hint.

#include <optional>

#include "ui/win32/PopupMenu.h"
#include "ui/win32/TrayIcon.h"

namespace vd::win32 {

class TMonitorTray {
public:
  TMonitorTray(TTrayIcon& icon, TPopupMenu& menu) : FIcon(icon), FMenu(menu) {}

  // Translates the menu captions and shows the hint again, in the active language.
  void Translate();
  // A muted microphone shows the muted icon, and the hint ends with "(microphone muted)". A
  // state that is not known leaves what is shown.
  void ShowMicrophone(std::optional<bool> muted);

private:
  void Show();

  TTrayIcon& FIcon;
  TPopupMenu& FMenu;
  bool FMicrophoneMuted = false;  // as the tray shows it
};

}  // namespace vd::win32
