#include "core/Errors.h"

#include "core/Strings.h"

namespace vd {

Exception::Exception(std::u16string message) : FMessage(std::move(message)), FUtf8(ToUtf8(FMessage)) {}

ERangeError::ERangeError() : Exception(u"Range check error") {}

EInOutError::EInOutError(std::uint32_t errorCode)
    : Exception(Format(u"I/O error %d", {IntToStr(errorCode)})), FErrorCode(errorCode) {}

}  // namespace vd
