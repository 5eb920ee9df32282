#include "streams/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "base/Errors.h"

namespace vd {

void TMemoryStream::SetSize(std::int64_t value) {
  if (value < 0) throw EStreamError(u"Invalid stream size");
  FData.resize(static_cast<std::size_t>(value));
}

void TMemoryStream::SetPosition(std::int64_t value) {
  if (value < 0) throw EStreamError(u"Invalid stream position");
  FPosition = value;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                            : origin == TSeekOrigin::soCurrent ? FPosition
                                                               : Size();
  SetPosition(base + offset);
  return FPosition;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || FPosition >= Size()) return 0;
  const std::int64_t n = std::min(count, Size() - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

void TMemoryStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0 || count > Size() - std::min(FPosition, Size())) throw EReadError(u"Stream read error");
  Read(buffer, count);
}

void TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return;
  const std::int64_t end = FPosition + count;
  if (end > Size()) FData.resize(static_cast<std::size_t>(end));
  std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
  FPosition = end;
}

std::span<const std::uint8_t> TMemoryStream::Remaining() const {
  if (FPosition >= Size()) return {};
  return std::span<const std::uint8_t>(FData).subspan(static_cast<std::size_t>(FPosition));
}

}  // namespace vd
