// TksHIDData with stand-in libraries: readers on named pipes that stand in for device paths,
// the hand-off of reports to the main thread, stopping, and the end of readers.

#include <gtest/gtest.h>

#include <memory>

#include "core/Errors.h"
#include "hid/win32/ksHIDData.h"
#include "tests/hid/HidTestSupport.h"

namespace vd::win32::test {
namespace {

constexpr USAGE_AND_PAGE kMouse{0x0001, 0xFFA0};
constexpr char16_t kDeviceGoneTrace[] = u"ERROR_DEVICE_NOT_CONNECTED++++++++++++++++";

struct TReport {
  std::u16string DeviceID;
  std::u16string DevicePath;
  std::uint8_t ReportID;
  std::vector<std::uint8_t> Data;
  DWORD ThreadId;
};

std::vector<std::uint8_t> Report(std::uint8_t id, std::uint8_t fill, std::size_t size = 65) {
  std::vector<std::uint8_t> report(size, fill);
  report[0] = id;
  return report;
}

class HidReaderTest : public ::testing::Test {
protected:
  std::unique_ptr<TksHIDData> NewComponent() {
    auto component = std::make_unique<TksHIDData>(nullptr, FHid.Api());
    component->SetOnData(
        TksHIDDataReceived(u"Received", [this](const std::u16string& id, const std::u16string& path,
                                               std::uint8_t reportID, const std::uint8_t* data, std::uint16_t size) {
          FReports.push_back(
              TReport{id, path, reportID, std::vector<std::uint8_t>(data, data + size), GetCurrentThreadId()});
          if (FOnReport) FOnReport();
        }));
    return component;
  }
  bool PumpUntilReports(std::size_t count) {
    return PumpUntil([&] { return FReports.size() >= count; });
  }
  static bool PumpUntilNoReaders(const TksHIDData& component) {
    return PumpUntil([&] { return component.ReaderCount() == 0; });
  }
  bool Traced(std::u16string_view text) {
    const auto traces = FPlatform.DebugOutput();
    return std::find(traces.begin(), traces.end(), text) != traces.end();
  }

  TTestPlatform FPlatform;
  TStandInHid FHid;
  std::vector<TReport> FReports;
  std::function<void()> FOnReport;
};

TEST_F(HidReaderTest, ReportsReachOnDataOnTheMainThreadAsReportIdDataAndSize) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA60&Col02", u"HID_DEVICE"}));
  auto component = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_EQ(component->ReaderCount(), 1);
  // The reader opened the collection with its own overlapped handle.
  ASSERT_NE(mouse.ReaderServer(), nullptr);

  std::vector<std::uint8_t> first(65);
  for (std::size_t i = 0; i < first.size(); ++i) first[i] = static_cast<std::uint8_t>(i);
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), first));
  ASSERT_TRUE(PumpUntilReports(1));
  EXPECT_EQ(FReports[0].DeviceID, u"HID\\VID_1D57&PID_FA60&Col02");
  EXPECT_EQ(FReports[0].DevicePath, mouse.Path);
  EXPECT_EQ(FReports[0].ReportID, 0);
  EXPECT_EQ(FReports[0].Data, std::vector<std::uint8_t>(first.begin() + 1, first.end()));
  EXPECT_EQ(FReports[0].ThreadId, GetCurrentThreadId());

  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 0x21)));
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x08, 0x02)));
  ASSERT_TRUE(PumpUntilReports(3));
  EXPECT_EQ(FReports[1].ReportID, 0x07);
  EXPECT_EQ(FReports[1].Data, std::vector<std::uint8_t>(64, 0x21));
  EXPECT_EQ(FReports[2].ReportID, 0x08);
  EXPECT_EQ(component->ReaderCount(), 1);
  EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
}

TEST_F(HidReaderTest, AnUnpluggedDeviceEndsItsReaderWithTheTraceForGood) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 1)));
  ASSERT_TRUE(PumpUntilReports(1));
  // Time for the reader to issue its next read, which the unplugging then fails.
  PumpFor(300);
  FHid.Unplug(mouse);
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  EXPECT_TRUE(Traced(kDeviceGoneTrace));
  PumpFor(50);
  EXPECT_EQ(component->ReaderCount(), 0);
  EXPECT_EQ(FReports.size(), 1u);
}

TEST_F(HidReaderTest, HidStopReadStopsTheReadersOfEveryComponentAndLaterReadersReadAsUsual) {
  TStandInDevice& first = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = NewComponent();
  auto another = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  another->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_EQ(component->ReaderCount(), 1);
  ASSERT_EQ(another->ReaderCount(), 1);
  const HANDLE oldServer = first.ReaderServer();

  component->HidStopRead();
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  ASSERT_TRUE(PumpUntilNoReaders(*another));
  // The readers closed their handles: nobody reads the pipe any more.
  EXPECT_FALSE(WriteReport(oldServer, Report(0x07, 1)));
  EXPECT_FALSE(Traced(kDeviceGoneTrace));

  component->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_EQ(component->ReaderCount(), 1);
  ASSERT_NE(first.ReaderServer(), oldServer);
  ASSERT_TRUE(WriteReport(first.ReaderServer(), Report(0x07, 2)));
  ASSERT_TRUE(PumpUntilReports(1));
  EXPECT_EQ(FReports[0].Data[0], 2);
}

TEST_F(HidReaderTest, AStopReachesAReaderWhileItsReportIsBeingDelivered) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  FOnReport = [&] { component->HidStopRead(); };
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 1)));
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 2)));
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  PumpFor(100);
  ASSERT_EQ(FReports.size(), 1u);
  EXPECT_EQ(FReports[0].Data[0], 1);
}

TEST_F(HidReaderTest, AnErrorInTheHandlerIsShownOnTheMainThreadAndTheReaderGoesOn) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  FOnReport = [&] {
    if (FReports.size() == 1) throw ERangeError();
  };
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 1)));
  ASSERT_TRUE(WriteReport(mouse.ReaderServer(), Report(0x07, 2)));
  ASSERT_TRUE(PumpUntilReports(2));
  EXPECT_EQ(FPlatform.MessageBoxTexts(), std::vector<std::u16string>{u"Range check error"});
  EXPECT_EQ(FReports[1].Data[0], 2);
  EXPECT_EQ(component->ReaderCount(), 1);
}

TEST_F(HidReaderTest, DestroyingTheComponentWhileAReaderWaitsForTheMainThreadEndsTheReader) {
  TStandInDevice& mouse = FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  auto component = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  const HANDLE server = mouse.ReaderServer();
  ASSERT_TRUE(WriteReport(server, Report(0x07, 1)));
  // Wait, without dispatching, until the reader has asked the main thread for the delivery.
  MSG message;
  const DWORD start = GetTickCount();
  while (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_POSTMESSAGE) && GetTickCount() - start < 5000)
    Sleep(1);
  component.reset();
  // The reader is gone with its handle, and the request went with the component's window.
  EXPECT_FALSE(WriteReport(server, Report(0x07, 2)));
  PumpFor(100);
  EXPECT_TRUE(FReports.empty());
  EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
}

TEST_F(HidReaderTest, TwoCollectionsGiveTwoReadersThatDeliverOneReportAtATime) {
  TStandInDevice& left = FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA60&Col02"}));
  TStandInDevice& right = FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA61&Col02"}));
  auto component = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_EQ(component->ReaderCount(), 2);
  int depth = 0;
  int deepest = 0;
  FOnReport = [&] {
    deepest = std::max(deepest, ++depth);
    // Long enough for the other reader's report to arrive meanwhile.
    Sleep(30);
    --depth;
  };
  for (std::uint8_t i = 1; i <= 3; ++i) {
    ASSERT_TRUE(WriteReport(left.ReaderServer(), Report(0x07, i)));
    ASSERT_TRUE(WriteReport(right.ReaderServer(), Report(0x07, static_cast<std::uint8_t>(0x10 + i))));
  }
  ASSERT_TRUE(PumpUntilReports(6));
  EXPECT_EQ(deepest, 1);
  std::vector<std::uint8_t> fromLeft;
  std::vector<std::uint8_t> fromRight;
  for (const TReport& report : FReports) {
    EXPECT_EQ(report.ThreadId, GetCurrentThreadId());
    if (report.DevicePath == left.Path) {
      EXPECT_EQ(report.DeviceID, u"HID\\VID_1D57&PID_FA60&Col02");
      fromLeft.push_back(report.Data[0]);
    } else {
      EXPECT_EQ(report.DevicePath, right.Path);
      EXPECT_EQ(report.DeviceID, u"HID\\VID_1D57&PID_FA61&Col02");
      fromRight.push_back(report.Data[0]);
    }
  }
  EXPECT_EQ(fromLeft, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(fromRight, (std::vector<std::uint8_t>{0x11, 0x12, 0x13}));
}

TEST_F(HidReaderTest, AReaderWithoutItsOwnHandleEndsSilentlyAndOneWithoutInputReportsWaitsForTheStop) {
  FHid.AddPipeDevice(MultiString({u"HID\\VID_1"})).ReaderOpenFails = true;
  FHid.AddPipeDevice(MultiString({u"HID\\VID_2"})).InputReportLength = 0;
  auto component = NewComponent();
  component->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_EQ(component->ReaderCount(), 2);
  ASSERT_TRUE(PumpUntil([&] { return component->ReaderCount() == 1; }));
  PumpFor(100);
  EXPECT_EQ(component->ReaderCount(), 1);
  component->HidStopRead();
  ASSERT_TRUE(PumpUntilNoReaders(*component));
  EXPECT_FALSE(Traced(kDeviceGoneTrace));
  EXPECT_TRUE(FReports.empty());
}

TEST_F(HidReaderTest, TheIncludeListComesFromConfigIniAndSelectsTheDevices) {
  FPlatform.WriteConfigIni(
      "[IncludeHIDDeviceList]\r\nid1=HID\\VID_0000\r\nid2=hid\\vid_1d57&pid_fa61\r\nid4=HID\\VID_1D57&PID_FA60\r\n");
  FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA60"}));
  TStandInDevice& admitted = FHid.AddPipeDevice(MultiString({u"HID\\VID_1D57&PID_FA61"}));
  auto component = NewComponent();
  EXPECT_EQ(component->HidDeviceList(), (std::vector<std::u16string>{u"HID\\VID_0000", u"hid\\vid_1d57&pid_fa61"}));
  component->HidFindAndReadDevice(kMouse, u"*");
  ASSERT_EQ(component->ReaderCount(), 1);
  EXPECT_NE(admitted.ReaderServer(), nullptr);
}

TEST_F(HidReaderTest, WithoutEverySetupFunctionNothingIsScannedAndTheClassFallsBackToHid) {
  FHid.AddPipeDevice(MultiString({u"HID\\VID_1"}));
  THidApi partial = FHid.Api();
  partial.SetupDiDestroyDeviceInfoList = nullptr;
  partial.HidD_GetHidGuid = nullptr;
  TksHIDData component(nullptr, partial);
  component.HidFindAndReadDevice(kMouse, u"*");
  EXPECT_EQ(FHid.ClassQueries, 0);
  EXPECT_EQ(component.ReaderCount(), 0);
  constexpr GUID hidClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
  EXPECT_TRUE(IsEqualGUID(component.HidGuid(), hidClass));
  // With the HID library the class comes from it.
  TksHIDData bound(nullptr, FHid.Api());
  EXPECT_FALSE(IsEqualGUID(bound.HidGuid(), hidClass));
}

}  // namespace
}  // namespace vd::win32::test
