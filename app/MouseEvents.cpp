#include "app/MouseEvents.h"

#include "platform/Platform.h"
#include "base/Errors.h"
#include "base/Strings.h"

namespace vd {

namespace {

constexpr std::uint32_t kFirstProfileSwitch = 21;
constexpr std::uint32_t kProfileSwitchCount = 5;
constexpr std::uint32_t kButtonCount = 15;

}  // namespace

TMouseKeyMessage MouseKeyMessageFor(const TMouseReport& report) {
  if (report.Kind == TMouseReport::TKind::ProfileSwitched)
    return TMouseKeyMessage{kFirstProfileSwitch + report.Index, 0};
  platform::Platform().UI->DebugOutput(u"KeyIndex = " + IntToStr(report.Index) + u" postmessage record!");
  return TMouseKeyMessage{report.Index, 1};
}

TMouseKeyAction ResolveMouseKeyMessage(std::uint32_t wParam, const TMouseProfileInfo& currentProfile) {
  if (wParam >= kFirstProfileSwitch && wParam < kFirstProfileSwitch + kProfileSwitchCount)
    return TMouseKeyAction{true, 0, static_cast<int>(wParam - kFirstProfileSwitch)};
  if (wParam >= kButtonCount) throw ERangeError();
  return TMouseKeyAction{false, wParam, currentProfile.ConfigInfo.ButtonFuncInfo[wParam].nFunctionIndex};
}

}  // namespace vd
