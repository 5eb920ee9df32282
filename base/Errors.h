#pragma once
// The framework's error types. Failures the system calls errors are exceptions that carry
// the framework's exact texts; the application reports what escapes a handler in its
// standard error box and goes on.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace vd {

class Exception : public std::exception {
public:
  explicit Exception(std::u16string message);
  const std::u16string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FUtf8.c_str(); }

private:
  std::u16string FMessage;
  std::string FUtf8;
};

// "Range check error": an index outside its declared range.
class ERangeError : public Exception {
public:
  ERangeError();
};

// "I/O error %d" with the system error number.
class EInOutError : public Exception {
public:
  explicit EInOutError(std::uint32_t errorCode);
  std::uint32_t ErrorCode() const noexcept { return FErrorCode; }

private:
  std::uint32_t FErrorCode;
};

// Registry transfers: "Invalid data type for '%s'", "Failed to get data for '%s'" and
// "Failed to set data for '%s'", with the value name.
class ERegistryException : public Exception {
public:
  static ERegistryException InvalidDataType(std::u16string_view valueName);
  static ERegistryException GetDataFailed(std::u16string_view valueName);
  static ERegistryException SetDataFailed(std::u16string_view valueName);

private:
  using Exception::Exception;
};

// "Cannot open file "%s". %s" with the file name and the system's error text.
class EFOpenError : public Exception {
public:
  EFOpenError(std::u16string_view fileName, std::u16string_view systemMessage);
};

// "Cannot create file "%s". %s" with the file name and the system's error text.
class EFCreateError : public Exception {
public:
  EFCreateError(std::u16string_view fileName, std::u16string_view systemMessage);
};

// Errors of streams and of the object stream reader and writer: "Stream read error",
// "Invalid stream format", "Property %s does not exist", "Class %s not found", ...
class EStreamError : public Exception {
public:
  using Exception::Exception;
};

class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

// "Class %s not found": a stream names a class that is not registered.
class EClassNotFound : public EStreamError {
public:
  explicit EClassNotFound(std::u16string_view className);
};

// "Resource %s not found": the program lacks a stored description it was built with.
class EResNotFound : public Exception {
public:
  explicit EResNotFound(std::u16string_view name);
};

// A malformed text form; the message names the line and column (both from 1).
class EParserError : public Exception {
public:
  EParserError(std::u16string_view message, int line, int column);
  int Line() const noexcept { return FLine; }
  int Column() const noexcept { return FColumn; }
  // The message without the position.
  const std::u16string& Reason() const noexcept { return FReason; }

private:
  std::u16string FReason;
  int FLine;
  int FColumn;
};

}  // namespace vd
