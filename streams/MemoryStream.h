#pragma once
// A growable stream of bytes held in memory, with a read/write position. Reading past the
// end reads less (Read) or fails with "Stream read error" (ReadBuffer); writing past the
// end grows the stream, filling a gap with zero bytes.

#include <cstdint>
#include <span>
#include <vector>

namespace vd {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TMemoryStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::span<const std::uint8_t> bytes) : FData(bytes.begin(), bytes.end()) {}

  std::int64_t Size() const { return static_cast<std::int64_t>(FData.size()); }
  // Truncates or grows (with zero bytes); the position stays where it is.
  void SetSize(std::int64_t value);
  std::int64_t Position() const { return FPosition; }
  // A negative position raises "Invalid stream position"; beyond the end is allowed.
  void SetPosition(std::int64_t value);
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin);
  void Clear();

  // Copies up to `count` bytes from the position; answers how many were read.
  std::int64_t Read(void* buffer, std::int64_t count);
  // Reads exactly `count` bytes or raises "Stream read error" (and reads nothing).
  void ReadBuffer(void* buffer, std::int64_t count);
  void Write(const void* buffer, std::int64_t count);
  void Write(std::span<const std::uint8_t> bytes) { Write(bytes.data(), static_cast<std::int64_t>(bytes.size())); }

  const std::vector<std::uint8_t>& Bytes() const { return FData; }
  // The bytes from the position to the end (empty when the position is at or past it).
  std::span<const std::uint8_t> Remaining() const;

private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

}  // namespace vd
