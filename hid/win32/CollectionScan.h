#pragma once
// The collection scan: every present HID interface is looked at in enumeration order; one
// that the include list admits, that opens for reading and writing, answers as a HID device
// and whose top-level collection has the wanted usage page and usage is handed to the action.
// A step that fails skips that interface only. No interface is held open afterwards.

#include <functional>
#include <string>
#include <vector>

#include "hid/UsageAndPage.h"
#include "hid/win32/HidApi.h"

namespace vd::win32 {

// The device interface path and the device's hardware IDs (possibly none) of a match.
using TCollectionAction =
    std::function<void(const std::u16string& devicePath, const std::vector<std::u16string>& hardwareIds)>;

// Needs the setup and HID functions of `api`.
void ScanCollections(const THidApi& api, const GUID& classGuid, const std::vector<std::u16string>& includeList,
                     USAGE_AND_PAGE wanted, const TCollectionAction& action);

}  // namespace vd::win32
