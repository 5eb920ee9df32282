#include "app/win32/ConfiguratorLink.h"

#include <shellapi.h>

#include "app/SharedConstants.h"
#include "platform/Platform.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

HWND FindConfiguratorByCaption() { return FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(CfgMainCaption)); }

void PostExitNotice() {
  if (HWND configurator = FindConfiguratorByCaption()) PostMessageW(configurator, WM_MONITOR_EXIT, 0, 0);
}

void NotifyProfileSwitch(int index) {
  if (HWND configurator = FindWindowW(reinterpret_cast<const wchar_t*>(CfgMainClassName), nullptr))
    SendMessageW(configurator, WM_DEVICE_PROFILE_SWITCHED, static_cast<WPARAM>(index), 0);
}

void BringConfiguratorToFront() {
  if (HWND configurator = FindConfiguratorByCaption()) {
    ShowWindow(configurator, SW_SHOW);
    SetForegroundWindow(configurator);
    return;
  }
  const std::u16string folder = platform::Platform().Files->ProgramFolder();
  const std::u16string program = folder + CfgExeName;
  ShellExecuteW(nullptr, L"open", W(program), nullptr, W(folder), SW_SHOW);
}

}  // namespace vd::win32
