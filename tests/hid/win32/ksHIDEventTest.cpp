// TksHIDEvent: its events from WM_DEVICECHANGE messages and its one start-up arrival; and
// what the HID components publish for stored forms.

#include "hid/win32/ksHIDEvent.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "hid/win32/ksHIDData.h"
#include "tests/hid/win32/HidTestSupport.h"
// After windows.h, which it needs.
#include <dbt.h>

namespace vd::win32::test {
namespace {

class ksHIDEventTest : public ::testing::Test {
protected:
  void SetUp() override {
    FListener = std::make_unique<TksHIDEvent>(nullptr);
    const auto count = [this](std::vector<TComponent*>& senders) {
      return [this, &senders](TComponent* sender) {
        senders.push_back(sender);
        if (FFailing) throw ERangeError();
      };
    };
    FListener->SetOnDeviceArrival(TNotifyEvent(u"Arrived", count(FArrivals)));
    FListener->SetOnDeviceRemove(TNotifyEvent(u"Removed", count(FRemovals)));
    FListener->SetOnDeviceChange(TNotifyEvent(u"Changed", count(FChanges)));
  }

  // Sends the notification as the system does; it cannot be posted, as it carries a pointer.
  LRESULT Notify(WPARAM event, DWORD deviceType) {
    DEV_BROADCAST_DEVICEINTERFACE_W data{};
    data.dbcc_size = sizeof data;
    data.dbcc_devicetype = deviceType;
    return SendMessageW(FListener->WindowHandle(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&data));
  }

  TTestPlatform FPlatform;
  std::unique_ptr<TksHIDEvent> FListener;
  std::vector<TComponent*> FArrivals, FRemovals, FChanges;
  bool FFailing = false;
};

TEST_F(ksHIDEventTest, ANewListenerRaisesOneDeviceChangeAtOnceAndOneArrivalAfter1500ms) {
  const DWORD created = GetTickCount();
  PumpFor(200);
  EXPECT_EQ(FChanges, std::vector<TComponent*>{FListener.get()});
  EXPECT_TRUE(FArrivals.empty());
  ASSERT_TRUE(PumpUntil([&] { return !FArrivals.empty(); }));
  EXPECT_GE(GetTickCount() - created, 1400u);
  EXPECT_EQ(FArrivals, std::vector<TComponent*>{FListener.get()});
  // The start-up timer fires once.
  PumpFor(1800);
  EXPECT_EQ(FArrivals.size(), 1u);
  EXPECT_EQ(FChanges.size(), 1u);
  EXPECT_TRUE(FRemovals.empty());
}

TEST_F(ksHIDEventTest, InterfaceArrivalsAndRemovalsRaiseTheirEventsAndOtherDevicesNothing) {
  EXPECT_EQ(Notify(DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE), 0);
  EXPECT_EQ(Notify(DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE), 0);
  EXPECT_EQ(Notify(DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE), 0);
  EXPECT_EQ(FArrivals, (std::vector<TComponent*>{FListener.get(), FListener.get()}));
  EXPECT_EQ(FRemovals, std::vector<TComponent*>{FListener.get()});

  Notify(DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME);
  Notify(DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_PORT);
  Notify(DBT_DEVICEQUERYREMOVE, DBT_DEVTYP_DEVICEINTERFACE);
  // An arrival without its data, or with a header too short to hold the device type.
  SendMessageW(FListener->WindowHandle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
  DEV_BROADCAST_HDR shortHeader{};
  shortHeader.dbch_size = 4;
  shortHeader.dbch_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  SendMessageW(FListener->WindowHandle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&shortHeader));
  EXPECT_EQ(FArrivals.size(), 2u);
  EXPECT_EQ(FRemovals.size(), 1u);

  ASSERT_TRUE(PostMessageW(FListener->WindowHandle(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0));
  PumpFor(100);
  // The listener's own device-tree change and the posted one.
  EXPECT_EQ(FChanges.size(), 2u);
}

TEST_F(ksHIDEventTest, AnErrorInAHandlerIsShownAndTheListenerGoesOn) {
  FFailing = true;
  EXPECT_EQ(Notify(DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE), 0);
  EXPECT_EQ(FPlatform.MessageBoxTexts(), std::vector<std::u16string>{u"Range check error"});
  FFailing = false;
  Notify(DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE);
  EXPECT_EQ(FArrivals.size(), 1u);
  EXPECT_EQ(FRemovals.size(), 1u);
}

TEST(HidComponentClassesTest, StoredFormsCreateThemAndTheyWorkWithTheSystemsLibraries) {
  TTestPlatform platform;
  const std::unique_ptr<TComponent> listener(TksHIDEvent::StaticClassInfo().Create(nullptr));
  ASSERT_NE(dynamic_cast<TksHIDEvent*>(listener.get()), nullptr);
  const TClassInfo& info = TksHIDData::StaticClassInfo();
  const std::unique_ptr<TComponent> created(info.Create(nullptr));
  auto* component = dynamic_cast<TksHIDData*>(created.get());
  ASSERT_NE(component, nullptr);
  EXPECT_FALSE(info.FindProperty(u"FastOnData")->ShouldWrite(*component));
  EXPECT_EQ(info.FindProperty(u"OnData")->Kind, TPropKind::Event);
  // Wine's setup and HID libraries bind; no present collection has the mouse's vendor usage.
  EXPECT_TRUE(component->Api().SetupBound() && component->Api().HidBound());
  component->HidFindAndReadDevice(USAGE_AND_PAGE{0x0001, 0xFFA0}, u"*");
  EXPECT_EQ(component->ReaderCount(), 0);
}

}  // namespace
}  // namespace vd::win32::test
