// A mouse report's way through the monitor's decisions: decoded into its 7524 message, then
// resolved against the current profile into a profile switch or a button's function.

#include "app/MouseEvents.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>

#include "base/Errors.h"
#include "base/Strings.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

enum class TOutcome { NoMessage, RangeError, SwitchProfile, ButtonFunction };

struct TReportCase {
  std::uint8_t Id;
  std::array<std::uint8_t, 8> Data;
  std::uint16_t Size;
  TOutcome Outcome;
  std::uint32_t WParam = 0;  // the message, when there is one
  int Index = 0;             // the profile switched to, or the button's function
};

constexpr std::uint16_t k7 = 7;

// Button 8 is given microphone mute (28), button 14 function 3, every other one function 0.
const TReportCase kReports[] = {
    {0x07, {0x00, 0x01, 0x00}, k7, TOutcome::ButtonFunction, 8, 28},
    {0x07, {0x01, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}, k7, TOutcome::ButtonFunction, 0, 0},  // bytes 3..6 unused
    {0x07, {0x00, 0x40, 0x00}, k7, TOutcome::ButtonFunction, 14, 3},
    {0x07, {0x00, 0x80, 0x00}, k7, TOutcome::RangeError, 15},  // past the 15 button records
    {0x07, {0x00, 0x00, 0x20}, k7, TOutcome::SwitchProfile, 21, 0},
    {0x07, {0x00, 0x00, 0x80}, k7, TOutcome::SwitchProfile, 23, 2},
    {0x07, {0x03, 0x00, 0x00}, k7, TOutcome::NoMessage},  // two bits
    {0x07, {0x00, 0x00, 0x00}, k7, TOutcome::NoMessage},  // no bit
    {0x07, {0x01, 0x01, 0x00}, k7, TOutcome::NoMessage},
    {0x08, {0x01, 0x04}, k7, TOutcome::SwitchProfile, 25, 4},
    {0x08, {0x01, 0x00}, k7, TOutcome::SwitchProfile, 21, 0},
    {0x08, {0x01, 0x05}, k7, TOutcome::NoMessage},
    {0x08, {0x02, 0x00}, k7, TOutcome::NoMessage},
    {0x07, {0x01}, 8, TOutcome::NoMessage},
    {0x07, {0x01}, 6, TOutcome::NoMessage},
    {0x09, {0x01}, k7, TOutcome::NoMessage},
    {0x00, {0x01}, k7, TOutcome::NoMessage},
};

TEST(MouseEventsTest, EachReportBecomesItsMessageAndItsActionInTheCurrentProfile) {
  auto profile = std::make_unique<TMouseProfileInfo>();
  profile->ConfigInfo.ButtonFuncInfo[8].nFunctionIndex = 28;
  profile->ConfigInfo.ButtonFuncInfo[14].nFunctionIndex = 3;

  for (const TReportCase& row : kReports) {
    SCOPED_TRACE(testing::Message() << "report " << int(row.Id) << " mask " << int(row.Data[0]) << ' '
                                    << int(row.Data[1]) << ' ' << int(row.Data[2]) << " size " << row.Size);
    platform::TMemoryPlatform system;
    const std::optional<TMouseKeyMessage> message = MouseKeyMessageFor(row.Id, row.Data.data(), row.Size);
    if (row.Outcome == TOutcome::NoMessage) {
      EXPECT_FALSE(message.has_value());
      EXPECT_TRUE(system.UI.FDebugOutput.empty());  // dropped silently
      continue;
    }
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->WParam, row.WParam);
    if (row.Id == 0x07) {
      EXPECT_EQ(message->LParam, 1);
      ASSERT_EQ(system.UI.FDebugOutput.size(), 1u);
      EXPECT_EQ(system.UI.FDebugOutput.front(), u"KeyIndex = " + IntToStr(row.WParam) + u" postmessage record!");
    }
    if (row.Outcome == TOutcome::RangeError) {
      EXPECT_THROW(ResolveMouseKeyMessage(message->WParam, *profile), ERangeError);
      continue;
    }
    const TMouseKeyAction action = ResolveMouseKeyMessage(message->WParam, *profile);
    EXPECT_EQ(action.Kind == TMouseKeyAction::TKind::SwitchProfile, row.Outcome == TOutcome::SwitchProfile);
    EXPECT_EQ(action.Index, row.Index);
    if (row.Outcome == TOutcome::ButtonFunction) {
      EXPECT_EQ(action.Button, row.WParam);
    }
  }
  EXPECT_FALSE(MouseKeyMessageFor(0x07, nullptr, 7).has_value());
}

TEST(MouseEventsTest, MessagesNoReportMakesPastTheButtonRecordsRaiseARangeError) {
  auto profile = std::make_unique<TMouseProfileInfo>();
  for (std::uint32_t wParam : {20u, 26u, 0xFFFFFFFFu})
    EXPECT_THROW(ResolveMouseKeyMessage(wParam, *profile), ERangeError);
}

}  // namespace
}  // namespace vd
