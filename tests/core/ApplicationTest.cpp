#include "core/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/Errors.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd {
namespace {

TEST(ApplicationTest, AnEscapedErrorIsShownWithTheApplicationTitleAsCaption) {
  platform::TMemoryPlatform system;
  Application().SetTitle(u"Vardel Gaming Mouse Monitor");
  try {
    throw ERangeError();
  } catch (...) {
    Application().HandleException();
  }
  try {
    throw std::runtime_error("caf\xC3\xA9");
  } catch (...) {
    Application().HandleException();
  }
  ASSERT_EQ(system.UI.FMessageBoxes.size(), 2u);
  EXPECT_EQ(system.UI.FMessageBoxes[0].Text, u"Range check error");
  EXPECT_EQ(system.UI.FMessageBoxes[0].Caption, u"Vardel Gaming Mouse Monitor");
  EXPECT_EQ(system.UI.FMessageBoxes[0].Flags, 0x10u);
  EXPECT_EQ(system.UI.FMessageBoxes[1].Text, u"caf\u00E9");
}

}  // namespace
}  // namespace vd
