#include "app/win32/ConfiguratorMessages.h"

#include "app/SharedConstants.h"
#include "base/Strings.h"
#include "platform/EventLog.h"
#include "profile/ProfileID.h"

namespace vd::win32 {

HWND FindConfiguratorByCaption() { return FindWindowW(nullptr, reinterpret_cast<const wchar_t*>(CfgMainCaption)); }

void PostExitNotice() {
  if (HWND configurator = FindConfiguratorByCaption()) PostMessageW(configurator, WM_MONITOR_EXIT, 0, 0);
}

void NotifyProfileSwitch(int index) {
  const HWND configurator = FindWindowW(reinterpret_cast<const wchar_t*>(CfgMainClassName), nullptr);
  platform::LogEvent(u"Profile switched on the mouse: profile " + IntToStr(index + 1));
  WriteProfileID(index);
  if (configurator) SendMessageW(configurator, WM_DEVICE_PROFILE_SWITCHED, static_cast<WPARAM>(index), 0);
}

}  // namespace vd::win32
