#include "app/MouseEvents.h"

#include "base/Errors.h"
#include "base/Strings.h"
#include "hid/MouseReport.h"
#include "platform/Platform.h"

namespace vd {

namespace {

constexpr std::uint32_t kFirstProfileSwitch = 21;
constexpr std::uint32_t kButtonCount = 15;

// The key index of a button mask with exactly one of its 24 bits set.
std::optional<std::uint32_t> KeyIndexOf(const std::uint8_t* mask) {
  for (std::uint32_t j = 0; j < KeyIndexTable.size(); ++j) {
    const auto& entry = KeyIndexTable[j];
    if (mask[0] == entry[1] && mask[1] == entry[2] && mask[2] == entry[3]) return j;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TMouseKeyMessage> MouseKeyMessageFor(std::uint8_t reportId, const std::uint8_t* data,
                                                   std::uint16_t size) {
  if (size != MouseReportDataSize || !data) return std::nullopt;
  if (reportId == ButtonReportID) {
    const std::optional<std::uint32_t> key = KeyIndexOf(data);
    if (!key) return std::nullopt;
    platform::Platform().UI->DebugOutput(u"KeyIndex = " + IntToStr(*key) + u" postmessage record!");
    return TMouseKeyMessage{*key, 1};
  }
  if (reportId == ProfileReportID && data[0] == 0x01 && data[1] < MouseProfileCount)
    return TMouseKeyMessage{kFirstProfileSwitch + data[1], 0};
  return std::nullopt;
}

TMouseKeyAction ResolveMouseKeyMessage(std::uint32_t wParam, const TMouseProfileInfo& currentProfile) {
  if (wParam >= kFirstProfileSwitch && wParam < kFirstProfileSwitch + MouseProfileCount)
    return TMouseKeyAction{TMouseKeyAction::TKind::SwitchProfile, 0, static_cast<int>(wParam - kFirstProfileSwitch)};
  if (wParam >= kButtonCount) throw ERangeError();
  return TMouseKeyAction{TMouseKeyAction::TKind::ButtonFunction, wParam,
                         currentProfile.ConfigInfo.ButtonFuncInfo[wParam].nFunctionIndex};
}

}  // namespace vd
