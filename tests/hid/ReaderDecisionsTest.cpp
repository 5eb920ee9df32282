// What a reader makes of its reads, and which notification a device-change message carries.

#include <gtest/gtest.h>

#include <cstdint>

#include "hid/DeviceChange.h"
#include "hid/ReportReading.h"

namespace vd {
namespace {

TEST(ReportReadingTest, ACompletedReadIsDeliveredReadAgainOrEndsTheReader) {
  EXPECT_EQ(OutcomeOfCompletedRead(true, 0, 65), TReadCompletion::Deliver);
  EXPECT_EQ(OutcomeOfCompletedRead(true, 0, 0), TReadCompletion::ReadAgain);
  // Unplugged, aborted, or the far end of a stand-in pipe closed: the device is gone.
  for (std::uint32_t gone : {995u, 1167u, 109u, 233u})
    EXPECT_EQ(OutcomeOfCompletedRead(false, gone, 0), TReadCompletion::DeviceGone) << gone;
  // Other failures pass: the reader issues the next read.
  for (std::uint32_t passing : {31u, 234u, 1784u, 0u})
    EXPECT_EQ(OutcomeOfCompletedRead(false, passing, 0), TReadCompletion::ReadAgain) << passing;
}

TEST(ReportReadingTest, AReadThatCannotBeIssuedEndsTheReaderOnlyWhenTheDeviceIsGone) {
  for (std::uint32_t gone : {6u, 109u, 233u, 995u, 1167u}) EXPECT_TRUE(DeviceIsGone(gone)) << gone;
  for (std::uint32_t other : {0u, 5u, 87u, 997u, 1784u}) EXPECT_FALSE(DeviceIsGone(other)) << other;
}

TEST(DeviceChangeTest, InterfacesArriveAndGoOtherDeviceTypesAndEventsRaiseNothing) {
  EXPECT_EQ(ClassifyDeviceChange(0x8000, 5), TDeviceChange::Arrival);
  EXPECT_EQ(ClassifyDeviceChange(0x8004, 5), TDeviceChange::RemoveComplete);
  EXPECT_EQ(ClassifyDeviceChange(0x0007, std::nullopt), TDeviceChange::NodesChanged);
  // A volume, a port, an arrival without a readable header, a query to remove.
  EXPECT_EQ(ClassifyDeviceChange(0x8000, 2), TDeviceChange::None);
  EXPECT_EQ(ClassifyDeviceChange(0x8004, 3), TDeviceChange::None);
  EXPECT_EQ(ClassifyDeviceChange(0x8000, std::nullopt), TDeviceChange::None);
  EXPECT_EQ(ClassifyDeviceChange(0x8001, 5), TDeviceChange::None);
}

}  // namespace
}  // namespace vd
