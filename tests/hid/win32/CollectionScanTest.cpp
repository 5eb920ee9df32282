// The collection scan through stand-in setup and HID libraries.

#include "hid/win32/CollectionScan.h"

#include <gtest/gtest.h>

#include "tests/hid/win32/HidTestSupport.h"

namespace vd::win32::test {
namespace {

constexpr GUID kClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
using TMatches = std::vector<std::pair<std::u16string, std::vector<std::u16string>>>;

class CollectionScanTest : public ::testing::Test {
protected:
  TMatches Scan(const std::vector<std::u16string>& includeList = {}, USAGE_AND_PAGE wanted = {0x0001, 0xFFA0}) {
    TMatches matches;
    ScanCollections(FHid.Api(), kClass, includeList, wanted, [&](const auto& path, const auto& ids) {
      // The probe is closed before the action.
      EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
      matches.emplace_back(path, ids);
    });
    EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
    return matches;
  }
  TStandInDevice& Add(const char16_t* path, const std::u16string& ids = MultiString({u"HID\\VID_1"})) {
    return FHid.AddDevice(path, ids);
  }

  TStandInHid FHid;
};

TEST_F(CollectionScanTest, EveryPresentCollectionOfTheUsagePairIsActedOnInEnumerationOrder) {
  Add(u"a", MultiString({u"HID\\VID_1D57&PID_FA60&MI_01&Col02", u"HID_DEVICE"}));
  Add(u"other-page").UsagePage = 0xFF00;
  Add(u"other-usage").Usage = 0x0002;
  Add(u"d", MultiString({u"HID\\VID_046D&PID_C077"}));
  EXPECT_EQ(Scan(), (TMatches{{u"a", {u"HID\\VID_1D57&PID_FA60&MI_01&Col02", u"HID_DEVICE"}},
                              {u"d", {u"HID\\VID_046D&PID_C077"}}}));
  EXPECT_TRUE(IsEqualGUID(FHid.QueriedClass, kClass));
  EXPECT_EQ(FHid.QueryFlags, static_cast<DWORD>(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  EXPECT_EQ(FHid.SetsDestroyed, 1);
  ASSERT_EQ(FHid.Opens.size(), 4u);
  EXPECT_EQ(FHid.Opens[0].second, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED));
  // A usage pair that no collection has finds nothing.
  EXPECT_TRUE(Scan({}, USAGE_AND_PAGE{0x0006, 0x0001}).empty());
}

TEST_F(CollectionScanTest, AFailingStepSkipsThatInterfaceOnly) {
  Add(u"no-size").SizeQueryFails = true;
  Add(u"no-detail").DetailFails = true;
  Add(u"no-open").OpenFails = true;
  Add(u"no-attributes").AttributesFail = true;
  Add(u"no-preparsed-data").PreparsedDataFails = true;
  Add(u"no-caps").CapsFail = true;
  // Hardware IDs that do not end inside the buffer are no IDs; an empty list admits them.
  Add(u"unterminated-ids").PropertyFillsBuffer = true;
  Add(u"last");
  EXPECT_EQ(Scan(), (TMatches{{u"unterminated-ids", {}}, {u"last", {u"HID\\VID_1"}}}));
  EXPECT_EQ(FHid.SetsDestroyed, 1);
  EXPECT_EQ(FHid.Opens.size(), 6u);
}

TEST_F(CollectionScanTest, TheIncludeListAdmitsWholeHardwareIdsWithoutRegardToCase) {
  Add(u"first", MultiString({u"HID\\VID_1D57&PID_FA60&MI_01&Col02", u"HID_DEVICE"}));
  Add(u"second", MultiString({u"HID\\VID_1D57&PID_FA61&MI_01&Col02", u"HID\\VID_1D57&PID_FA61&MI_01"}));
  Add(u"third", MultiString({u"HID\\VID_046D&PID_C077"}));
  EXPECT_EQ(Scan({u"VID_1D57&PID_FA60", u"hid\\vid_1d57&pid_fa61&mi_01"}),
            (TMatches{{u"second", {u"HID\\VID_1D57&PID_FA61&MI_01&Col02", u"HID\\VID_1D57&PID_FA61&MI_01"}}}));
  // What the list does not admit is not opened.
  EXPECT_EQ(FHid.Opens.size(), 1u);
}

TEST_F(CollectionScanTest, AClassQueryThatFailsEndsTheScanAtOnce) {
  Add(u"present");
  FHid.ClassQueryFails = true;
  EXPECT_TRUE(Scan().empty());
  EXPECT_EQ(FHid.ClassQueries, 1);
  EXPECT_EQ(FHid.SetsDestroyed, 0);
}

}  // namespace
}  // namespace vd::win32::test
