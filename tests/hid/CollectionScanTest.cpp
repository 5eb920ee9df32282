// The collection scan through stand-in setup and HID libraries.

#include <gtest/gtest.h>

#include "hid/win32/CollectionScan.h"
#include "tests/hid/HidTestSupport.h"

namespace vd::win32::test {
namespace {

constexpr GUID kClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr USAGE_AND_PAGE kMouse{0x0001, 0xFFA0};

struct TMatch {
  std::u16string Path;
  std::vector<std::u16string> HardwareIds;
  bool operator==(const TMatch&) const = default;
};

class CollectionScanTest : public ::testing::Test {
protected:
  std::vector<TMatch> Scan(const std::vector<std::u16string>& includeList = {}) {
    std::vector<TMatch> matches;
    ScanCollections(FHid.Api(), kClass, includeList, kMouse,
                    [&](const std::u16string& path, const std::vector<std::u16string>& ids) {
                      // The probe is closed before the action, its preparsed data released.
                      EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
                      matches.push_back(TMatch{path, ids});
                    });
    return matches;
  }
  TStandInDevice& Add(const char16_t* path, const std::u16string& ids = MultiString({u"HID\\VID_1"})) {
    return FHid.AddDevice(path, ids);
  }

  TStandInHid FHid;
};

TEST_F(CollectionScanTest, EveryPresentCollectionOfTheUsagePairIsActedOnInEnumerationOrder) {
  Add(u"\\\\?\\hid#a", MultiString({u"HID\\VID_1D57&PID_FA60&MI_01&Col02", u"HID_DEVICE"}));
  Add(u"\\\\?\\hid#other-page").UsagePage = 0xFF00;
  Add(u"\\\\?\\hid#other-usage").Usage = 0x0002;
  Add(u"\\\\?\\hid#d", MultiString({u"HID\\VID_046D&PID_C077"}));
  EXPECT_EQ(Scan(), (std::vector<TMatch>{{u"\\\\?\\hid#a", {u"HID\\VID_1D57&PID_FA60&MI_01&Col02", u"HID_DEVICE"}},
                                         {u"\\\\?\\hid#d", {u"HID\\VID_046D&PID_C077"}}}));

  EXPECT_EQ(FHid.ClassQueries, 1);
  EXPECT_TRUE(IsEqualGUID(FHid.QueriedClass, kClass));
  EXPECT_EQ(FHid.QueryFlags, static_cast<DWORD>(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  EXPECT_EQ(FHid.SetsDestroyed, 1);
  EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
  ASSERT_EQ(FHid.Opens.size(), 4u);
  for (const TOpenCall& open : FHid.Opens) {
    EXPECT_EQ(open.Access, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(open.Share, static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_EQ(open.Disposition, static_cast<DWORD>(OPEN_EXISTING));
    EXPECT_EQ(open.Flags, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED));
  }
}

TEST_F(CollectionScanTest, AFailingStepSkipsThatInterfaceOnly) {
  Add(u"no-size").SizeQueryGivesNoSize = true;
  Add(u"size-query-error").SizeQueryFails = true;
  Add(u"no-detail").DetailFails = true;
  Add(u"no-open").OpenFails = true;
  Add(u"no-attributes").AttributesFail = true;
  Add(u"no-preparsed-data").PreparsedDataFails = true;
  Add(u"no-caps").CapsFail = true;
  Add(u"no-ids").PropertyFails = true;
  Add(u"unterminated-ids").PropertyFillsBuffer = true;
  Add(u"last");
  // A device without readable IDs is admitted by an empty list and acted on without IDs.
  EXPECT_EQ(Scan(), (std::vector<TMatch>{{u"no-ids", {}}, {u"unterminated-ids", {}}, {u"last", {u"HID\\VID_1"}}}));
  EXPECT_EQ(FHid.SetsDestroyed, 1);
  EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
  // Interfaces that failed before the open were never opened.
  EXPECT_EQ(FHid.Opens.size(), 7u);
}

TEST_F(CollectionScanTest, TheIncludeListAdmitsWholeHardwareIdsWithoutRegardToCase) {
  Add(u"first", MultiString({u"HID\\VID_1D57&PID_FA60&MI_01&Col02", u"HID_DEVICE"}));
  Add(u"second", MultiString({u"HID\\VID_1D57&PID_FA61&MI_01&Col02", u"HID\\VID_1D57&PID_FA61&MI_01"}));
  Add(u"third", MultiString({u"HID\\VID_046D&PID_C077"}));
  EXPECT_EQ(
      Scan({u"VID_1D57&PID_FA60", u"hid\\vid_1d57&pid_fa61&mi_01"}),
      (std::vector<TMatch>{{u"second", {u"HID\\VID_1D57&PID_FA61&MI_01&Col02", u"HID\\VID_1D57&PID_FA61&MI_01"}}}));
  // Devices that the list does not admit are not opened.
  ASSERT_EQ(FHid.Opens.size(), 1u);
  EXPECT_EQ(FHid.Opens[0].Path, u"second");
}

TEST_F(CollectionScanTest, AClassQueryThatFailsEndsTheScanAtOnce) {
  Add(u"present");
  FHid.ClassQueryFails = true;
  EXPECT_TRUE(Scan().empty());
  EXPECT_EQ(FHid.ClassQueries, 1);
  EXPECT_EQ(FHid.SetsDestroyed, 0);
  EXPECT_TRUE(FHid.Opens.empty());
}

TEST_F(CollectionScanTest, AUsagePairThatNoCollectionHasFindsNothing) {
  Add(u"mouse");
  std::vector<TMatch> matches;
  ScanCollections(FHid.Api(), kClass, {}, USAGE_AND_PAGE{0x0006, 0x0001},
                  [&](const std::u16string& path, const std::vector<std::u16string>&) {
                    matches.push_back({path, {}});
                  });
  EXPECT_TRUE(matches.empty());
  EXPECT_EQ(FHid.PreparsedDataOutstanding, 0);
}

}  // namespace
}  // namespace vd::win32::test
