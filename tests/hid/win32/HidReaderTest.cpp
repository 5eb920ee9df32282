// TksHIDData with stand-in libraries, its readers on named pipes that stand in for device
// paths: the hand-off of reports to the main thread, stopping, and the end of readers.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "base/Errors.h"
#include "hid/win32/ksHIDData.h"
#include "tests/hid/win32/HidTestSupport.h"

namespace vd::win32::test {
namespace {

constexpr USAGE_AND_PAGE kMouse{0x0001, 0xFFA0};
constexpr char16_t kDeviceGone[] = u"ERROR_DEVICE_NOT_CONNECTED++++++++++++++++";

struct TReport {
  std::u16string DeviceID, DevicePath;
  std::uint8_t ReportID;
  std::vector<std::uint8_t> Data;
};

std::vector<std::uint8_t> Report(std::uint8_t id, std::uint8_t fill) {
  std::vector<std::uint8_t> report(65, fill);
  report[0] = id;
  return report;
}

class HidReaderTest : public ::testing::Test {
protected:
  // A component reading the stand-in devices present now.
  std::unique_ptr<TksHIDData> Reading() {
    auto component = std::make_unique<TksHIDData>(nullptr, FHid.Api());
    component->SetOnData(
        TksHIDDataReceived(u"Received", [this](const std::u16string& id, const std::u16string& path,
                                               std::uint8_t reportID, const std::uint8_t* data, std::uint16_t size) {
          // Handlers run on the main thread, one at a time.
          EXPECT_EQ(GetCurrentThreadId(), FMainThread);
          EXPECT_FALSE(FInHandler);
          FInHandler = true;
          FReports.push_back(TReport{id, path, reportID, std::vector<std::uint8_t>(data, data + size)});
          try {
            if (FOnReport) FOnReport();
          } catch (...) {
            FInHandler = false;
            throw;
          }
          FInHandler = false;
        }));
    component->HidFindAndReadDevice(kMouse, u"*");
    return component;
  }
  bool PumpUntilReports(std::size_t count) {
    return PumpUntil([&] { return FReports.size() >= count; });
  }
  static bool PumpUntilNoReaders(const TksHIDData& component) {
    return PumpUntil([&] { return component.ReaderCount() == 0; });
  }

  TTestPlatform FPlatform;
  TStandInHid FHid;
  const DWORD FMainThread = GetCurrentThreadId();
  bool FInHandler = false;
  std::vector<TReport> FReports;
  std::function<void()> FOnReport;
};

TEST_F(HidReaderTest, ReportsReachOnDataOnTheMainThreadAsReportIdDataAndSize) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA60&Col02", u"HID_DEVICE"}));
  auto component = Reading();
  ASSERT_EQ(component->ReaderCount(), 1);
  std::vector<std::uint8_t> first(65);
  for (std::size_t i = 0; i < first.size(); ++i) first[i] = static_cast<std::uint8_t>(i);
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), first));
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 0x21)));
  ASSERT_TRUE(PumpUntilReports(2));
  EXPECT_EQ(FReports[0].DeviceID, u"HID\\VID_1D57&PID_FA60&Col02");
  EXPECT_EQ(FReports[0].DevicePath, mouse.Path);
  EXPECT_EQ(FReports[0].ReportID, 0);
  EXPECT_EQ(FReports[0].Data, std::vector<std::uint8_t>(first.begin() + 1, first.end()));
  EXPECT_EQ(FReports[1].ReportID, 0x07);
  EXPECT_EQ(FReports[1].Data, std::vector<std::uint8_t>(64, 0x21));
  EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
}

TEST_F(HidReaderTest, AnUnpluggedDeviceEndsItsReaderWithTheTraceForGood) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = Reading();
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 1)));
  ASSERT_TRUE(PumpUntilReports(1));
  // Time for the reader to issue its next read, which the unplugging then fails.
  PumpFor(300);
  TStandInHid::Unplug(mouse);
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  EXPECT_TRUE(FPlatform.Traced(kDeviceGone));
  PumpFor(50);
  EXPECT_EQ(component->ReaderCount(), 0);
}

TEST_F(HidReaderTest, HidStopReadStopsTheReadersOfEveryComponentAndLaterReadersReadAsUsual) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = Reading();
  auto another = Reading();
  const HANDLE oldServer = mouse.ReaderServer();
  component->HidStopRead();
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  ASSERT_TRUE(PumpUntilNoReaders(*another));
  // The readers closed their handles.
  EXPECT_FALSE(WriteReport(oldServer, Report(0x07, 1)));
  EXPECT_FALSE(FPlatform.Traced(kDeviceGone));

  component->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 2)));
  ASSERT_TRUE(PumpUntilReports(1));
  EXPECT_EQ(FReports[0].Data[0], 2);
}

TEST_F(HidReaderTest, AStopReachesAReaderWhileItsReportIsBeingDelivered) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = Reading();
  FOnReport = [&] { component->HidStopRead(); };
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 1)));
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 2)));
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  PumpFor(100);
  EXPECT_EQ(FReports.size(), 1u);
}

TEST_F(HidReaderTest, AnErrorInTheHandlerIsShownAndTheReaderGoesOn) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = Reading();
  FOnReport = [&] {
    if (FReports.size() == 1) throw ERangeError();
  };
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 1)));
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 2)));
  ASSERT_TRUE(PumpUntilReports(2));
  EXPECT_EQ(FPlatform.MessageBoxTexts(), std::vector<std::u16string>{u"Range check error"});
  EXPECT_EQ(FReports[1].Data[0], 2);
}

TEST_F(HidReaderTest, DestroyingTheComponentWhileAReaderWaitsForTheMainThreadEndsTheReader) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = Reading();
  const HANDLE server = mouse.ReaderServer();
  ASSERT_TRUE(WriteReport(server, Report(0x07, 1)));
  // Without dispatching anything, wait until the reader has asked for the delivery.
  MSG message;
  for (const DWORD start = GetTickCount();
       !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_POSTMESSAGE) && GetTickCount() - start < 5000;)
    Sleep(1);
  component.reset();
  EXPECT_FALSE(WriteReport(server, Report(0x07, 2)));
  PumpFor(100);
  EXPECT_TRUE(FReports.empty());
}

TEST_F(HidReaderTest, TwoCollectionsGiveTwoReadersEachDeliveringWithItsOwnDevice) {
  TStandInDevice& left = FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA60&Col02"}));
  TStandInDevice& right = FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA61&Col02"}));
  auto component = Reading();
  ASSERT_EQ(component->ReaderCount(), 2);
  // Long handlers, so that the other reader's report arrives during one.
  FOnReport = [] { Sleep(30); };
  for (std::uint8_t i = 1; i <= 3; ++i) {
    ASSERT_TRUE(WriteReport(left.ReaderServer(), Report(0x07, i)));
    ASSERT_TRUE(WriteReport(right.ReaderServer(), Report(0x07, static_cast<std::uint8_t>(0x10 + i))));
  }
  ASSERT_TRUE(PumpUntilReports(6));
  std::map<std::u16string, std::vector<std::uint8_t>> byDevice;
  for (const TReport& report : FReports) {
    EXPECT_EQ(report.DeviceID,
              report.DevicePath == left.Path ? u"HID\\VID_1D57&PID_FA60&Col02" : u"HID\\VID_1D57&PID_FA61&Col02");
    byDevice[report.DevicePath].push_back(report.Data[0]);
  }
  EXPECT_EQ(byDevice[left.Path], (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(byDevice[right.Path], (std::vector<std::uint8_t>{0x11, 0x12, 0x13}));
}

TEST_F(HidReaderTest, AReaderWithoutItsOwnHandleEndsSilentlyOneWithoutInputReportsWaitsForTheStop) {
  FHid.AddPipeDevice(MultiString({u"HID\\VID_1"})).ReaderOpenFails = true;
  FHid.AddPipeDevice(MultiString({u"HID\\VID_2"})).InputReportLength = 0;
  auto component = Reading();
  ASSERT_TRUE(PumpUntil([&] { return component->ReaderCount() == 1; }));
  PumpFor(100);
  EXPECT_EQ(component->ReaderCount(), 1);
  component->HidStopRead();
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  EXPECT_FALSE(FPlatform.Traced(kDeviceGone));
}

TEST_F(HidReaderTest, WithoutEverySetupFunctionNothingIsScannedAndTheClassIsTheHidClass) {
  FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  THidApi partial = FHid.Api();
  partial.SetupDiDestroyDeviceInfoList = nullptr;
  partial.HidD_GetHidGuid = nullptr;
  TksHIDData component(nullptr, partial);
  component.HidFindAndReadDevice(kMouse, u"*");
  EXPECT_EQ(FHid.ClassQueries, 0);
  EXPECT_TRUE(
      IsEqualGUID(component.HidGuid(), GUID{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0, 0x11, 0x11, 0, 0, 0x30}}));
}

}  // namespace
}  // namespace vd::win32::test
