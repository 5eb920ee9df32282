#include "base/Errors.h"

#include "base/Strings.h"

namespace vd {

Exception::Exception(std::u16string message) : FMessage(std::move(message)), FUtf8(ToUtf8(FMessage)) {}

ERangeError::ERangeError() : Exception(u"Range check error") {}

EInOutError::EInOutError(std::uint32_t errorCode)
    : Exception(Format(u"I/O error %d", {IntToStr(errorCode)})), FErrorCode(errorCode) {}

ERegistryException ERegistryException::InvalidDataType(std::u16string_view valueName) {
  return ERegistryException(Format(u"Invalid data type for '%s'", {valueName}));
}

ERegistryException ERegistryException::GetDataFailed(std::u16string_view valueName) {
  return ERegistryException(Format(u"Failed to get data for '%s'", {valueName}));
}

ERegistryException ERegistryException::SetDataFailed(std::u16string_view valueName) {
  return ERegistryException(Format(u"Failed to set data for '%s'", {valueName}));
}

EFOpenError::EFOpenError(std::u16string_view fileName, std::u16string_view systemMessage)
    : Exception(Format(u"Cannot open file \"%s\". %s", {fileName, systemMessage})) {}

EFCreateError::EFCreateError(std::u16string_view fileName, std::u16string_view systemMessage)
    : Exception(Format(u"Cannot create file \"%s\". %s", {fileName, systemMessage})) {}

EClassNotFound::EClassNotFound(std::u16string_view className)
    : EStreamError(Format(u"Class %s not found", {className})) {}

EResNotFound::EResNotFound(std::u16string_view name) : Exception(Format(u"Resource %s not found", {name})) {}

EParserError::EParserError(std::u16string_view message, int line, int column)
    : Exception(Format(u"Line %d, column %d: %s", {IntToStr(line), IntToStr(column), message})),
      FReason(message),
      FLine(line),
      FColumn(column) {}

}  // namespace vd
