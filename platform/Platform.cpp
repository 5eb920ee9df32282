#include "platform/Platform.h"

namespace vd::platform {

namespace {
TPlatform gPlatform;
}

const TPlatform& Platform() { return gPlatform; }

TPlatformScope::TPlatformScope(const TPlatform& platform) : FPrevious(gPlatform) { gPlatform = platform; }

TPlatformScope::~TPlatformScope() { gPlatform = FPrevious; }

}  // namespace vd::platform
