#include "app/MouseEvents.h"

#include "app/SharedConstants.h"
#include "platform/Platform.h"
#include "streams/Errors.h"
#include "streams/Strings.h"

namespace vd {

namespace {

constexpr std::uint8_t kButtonReport = 0x07;
constexpr std::uint8_t kProfileReport = 0x08;
constexpr std::uint16_t kReportDataSize = 7;
constexpr std::uint32_t kFirstProfileSwitch = 21;
constexpr std::uint32_t kButtonCount = 15;

}  // namespace

std::optional<TMouseKeyMessage> DecodeMouseReport(std::uint8_t reportId, const std::uint8_t* data, std::uint16_t size) {
  if (size != kReportDataSize || !data) return std::nullopt;
  if (reportId == kButtonReport) {
    for (std::uint32_t j = 0; j < KeyIndexTable.size(); ++j) {
      const auto& entry = KeyIndexTable[j];
      if (data[0] == entry[1] && data[1] == entry[2] && data[2] == entry[3]) {
        platform::Platform().UI->DebugOutput(u"KeyIndex = " + IntToStr(j) + u" postmessage record!");
        return TMouseKeyMessage{j, 1};
      }
    }
    return std::nullopt;
  }
  if (reportId == kProfileReport && data[0] == 0x01 && data[1] <= 4)
    return TMouseKeyMessage{kFirstProfileSwitch + data[1], 0};
  return std::nullopt;
}

TMouseKeyAction ResolveMouseKeyMessage(std::uint32_t wParam, const TMouseProfileInfo& currentProfile) {
  if (wParam >= kFirstProfileSwitch && wParam < kFirstProfileSwitch + 5)
    return TMouseKeyAction{true, 0, static_cast<int>(wParam - kFirstProfileSwitch)};
  if (wParam >= kButtonCount) throw ERangeError();
  return TMouseKeyAction{false, wParam, currentProfile.ConfigInfo.ButtonFuncInfo[wParam].nFunctionIndex};
}

}  // namespace vd
