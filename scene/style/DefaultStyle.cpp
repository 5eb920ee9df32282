#include "scene/style/DefaultStyle.h"

#include "platform/Platform.h"
#include "scene/tree/VgObject.h"
#include "streams/MemoryStream.h"

namespace vd {

namespace {
TvgObject* gRoot = nullptr;
bool gTried = false;
}  // namespace

TvgObject* DefaultStyleRoot() { return gRoot; }

TvgObject* ReadDefaultStyleRoot() {
  if (gRoot || gTried) return gRoot;
  platform::IResources* resources = platform::Platform().Resources;
  const std::span<const std::uint8_t> data =
      resources ? resources->DataResource(kDefaultStyleResource) : std::span<const std::uint8_t>();
  if (data.empty()) return nullptr;
  gTried = true;
  TMemoryStream stream(data);
  gRoot = CreateObjectFromBinStream(nullptr, stream);
  return gRoot;
}

void ReleaseDefaultStyleRoot() {
  delete gRoot;
  gRoot = nullptr;
  gTried = false;
}

}  // namespace vd
