#include "profile/ProfileID.h"

#include <memory>

#include "base/Errors.h"
#include "platform/Platform.h"
#include "profile/ProfileStoreNames.h"

namespace vd {

bool WriteProfileID(std::int32_t value) {
  const std::unique_ptr<platform::IRegistryKey> key =
      platform::Platform().Registry->OpenKey(platform::TRootKey::CurrentUser, ProfileStoreKeyPath, false);
  if (!key) return false;
  if (!key->WriteDWord(ProfileIDValueName, static_cast<std::uint32_t>(value)))
    throw ERegistryException::SetDataFailed(ProfileIDValueName);
  return true;
}

}  // namespace vd
