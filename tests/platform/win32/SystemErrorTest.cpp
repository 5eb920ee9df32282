#include "platform/win32/SystemError.h"

#include <gtest/gtest.h>

#include "base/Errors.h"

namespace vd::win32 {
namespace {

TEST(SystemErrorTest, TheLastErrorIsRaisedWithTheOperationItsCodeAndTheSystemsText) {
  ASSERT_FALSE(SystemErrorText(ERROR_FILE_NOT_FOUND).empty());
  SetLastError(ERROR_FILE_NOT_FOUND);
  try {
    RaiseLastOSError(u"CreateFile");
    FAIL() << "nothing raised";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), u"CreateFile failed with error 2: " + SystemErrorText(ERROR_FILE_NOT_FOUND));
  }
}

}  // namespace
}  // namespace vd::win32
