#include "app/MouseEvents.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "platform/memory/MemoryPlatform.h"
#include "base/Errors.h"

namespace vd {
namespace {

// A report as the monitor takes it: decoded, then turned into its 7524 message.
std::optional<TMouseKeyMessage> Decode(std::uint8_t id, std::array<std::uint8_t, 7> data, std::uint16_t size = 7) {
  const auto report = DecodeMouseReport(id, data.data(), size);
  if (!report) return std::nullopt;
  return MouseKeyMessageFor(*report);
}

TEST(MouseEventsTest, AButtonReportWithOneBitNamesThatButton) {
  platform::TMemoryPlatform system;
  const auto bit8 = Decode(0x07, {0x00, 0x01, 0x00});
  ASSERT_TRUE(bit8.has_value());
  EXPECT_EQ(bit8->WParam, 8u);
  EXPECT_EQ(bit8->LParam, 1);
  EXPECT_EQ(Decode(0x07, {0x01, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF})->WParam, 0u);  // bytes 3..6 unused
  EXPECT_EQ(Decode(0x07, {0x00, 0x80, 0x00})->WParam, 15u);
  EXPECT_EQ(Decode(0x07, {0x00, 0x00, 0x20})->WParam, 21u);
  EXPECT_EQ(Decode(0x07, {0x00, 0x00, 0x80})->WParam, 23u);
  EXPECT_EQ(system.UI.FDebugOutput.front(), u"KeyIndex = 8 postmessage record!");
  EXPECT_EQ(system.UI.FDebugOutput.size(), 5u);
}

TEST(MouseEventsTest, ButtonReportsWithoutExactlyOneBitAreDroppedSilently) {
  platform::TMemoryPlatform system;
  EXPECT_FALSE(Decode(0x07, {0x03, 0x00, 0x00}).has_value());
  EXPECT_FALSE(Decode(0x07, {0x00, 0x00, 0x00}).has_value());
  EXPECT_FALSE(Decode(0x07, {0x01, 0x01, 0x00}).has_value());
  EXPECT_TRUE(system.UI.FDebugOutput.empty());
}

TEST(MouseEventsTest, AProfileReportSwitchesToProfiles0To4Only) {
  EXPECT_EQ(Decode(0x08, {0x01, 0x04})->WParam, 25u);
  EXPECT_EQ(Decode(0x08, {0x01, 0x00})->WParam, 21u);
  EXPECT_FALSE(Decode(0x08, {0x01, 0x05}).has_value());
  EXPECT_FALSE(Decode(0x08, {0x02, 0x00}).has_value());
}

TEST(MouseEventsTest, ReportsOfAnotherSizeOrIdentifierAreIgnored) {
  platform::TMemoryPlatform system;
  EXPECT_FALSE(Decode(0x07, {0x01}, 8).has_value());
  EXPECT_FALSE(Decode(0x07, {0x01}, 6).has_value());
  EXPECT_FALSE(Decode(0x09, {0x01}).has_value());
  EXPECT_FALSE(Decode(0x00, {0x01}).has_value());
  EXPECT_FALSE(DecodeMouseReport(0x07, nullptr, 7).has_value());
}

TEST(MouseEventsTest, MessagesResolveToTheCurrentProfilesFunctionOrAProfileSwitch) {
  auto profile = std::make_unique<TMouseProfileInfo>();
  profile->ConfigInfo.ButtonFuncInfo[8].nFunctionIndex = 28;
  profile->ConfigInfo.ButtonFuncInfo[14].nFunctionIndex = 3;

  const TMouseKeyAction press = ResolveMouseKeyMessage(8, *profile);
  EXPECT_FALSE(press.ProfileSwitch);
  EXPECT_EQ(press.Button, 8u);
  EXPECT_EQ(press.Index, 28);
  EXPECT_EQ(ResolveMouseKeyMessage(14, *profile).Index, 3);

  const TMouseKeyAction toFour = ResolveMouseKeyMessage(25, *profile);
  EXPECT_TRUE(toFour.ProfileSwitch);
  EXPECT_EQ(toFour.Index, 4);
  EXPECT_EQ(ResolveMouseKeyMessage(21, *profile).Index, 0);
}

TEST(MouseEventsTest, MessagesPastTheButtonRecordsRaiseARangeError) {
  auto profile = std::make_unique<TMouseProfileInfo>();
  for (std::uint32_t wParam : {15u, 20u, 26u, 0xFFFFFFFFu})
    EXPECT_THROW(ResolveMouseKeyMessage(wParam, *profile), ERangeError);
}

}  // namespace
}  // namespace vd
