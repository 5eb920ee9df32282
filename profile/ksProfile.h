#pragma once
// TksProfile: a component that owns the bytes of one profile record and moves them between
// memory, a caller's record, a registry value and a file. It knows nothing of record
// layouts; its owner fills the stream with factory defaults through OnRestoreToDefault.
//
// Expected failures (wrong root, empty names, nothing stored, a folder that cannot be made)
// answer false and leave the stream as it was. Failures of the system during a transfer
// raise ERegistryException, EFOpenError or EFCreateError with the framework's texts.

#include <cstdint>
#include <string>
#include <vector>

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"

namespace vd {

// The record's bytes. Every transfer starts at its first byte.
using TksProfileStream = std::vector<std::uint8_t>;

// Fills the component's stream, in place, with factory defaults.
using TksProfileOnRestoreToDefault = TEvent<TksProfileStream&>;

// Registry roots, with the system's numbers, as stored forms carry them.
inline constexpr std::uint32_t RootKeyCurrentUser = 0x80000001;
inline constexpr std::uint32_t RootKeyLocalMachine = 0x80000002;

// Published: RootKey (always stored), KeyPath, FileName, FilePath and OnRestoreToDefault;
// Size is read-only and not stored.
class TksProfile : public TComponent {
public:
  explicit TksProfile(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  std::uint32_t RootKey() const { return FRootKey; }
  void SetRootKey(std::uint32_t value);
  const std::u16string& KeyPath() const { return FKeyPath; }
  void SetKeyPath(const std::u16string& value);
  // The registry value name and the file name.
  const std::u16string& FileName() const { return FFileName; }
  void SetFileName(const std::u16string& value);
  // The folder of the file, ending with a backslash. Only an existing folder is taken.
  const std::u16string& FilePath() const { return FFilePath; }
  void SetFilePath(const std::u16string& value);
  // The byte count last set through Write.
  std::int64_t Size() const { return FSize; }
  const TksProfileOnRestoreToDefault& OnRestoreToDefault() const { return FOnRestoreToDefault; }
  void SetOnRestoreToDefault(TksProfileOnRestoreToDefault value) { FOnRestoreToDefault = std::move(value); }

  const TksProfileStream& Stream() const { return FMemoryStream; }

  // Writes `count` bytes at the start of the stream, which grows as needed and never
  // shrinks. Answers the bytes written.
  std::int32_t Write(const void* buffer, std::int32_t count);
  // Copies the first min(count, stream size) bytes into the buffer; the rest of the buffer
  // keeps its bytes. Answers the bytes copied.
  std::int32_t Read(void* buffer, std::int32_t count) const;

  // The stream takes the stored value's bytes and size. A string or double-word value
  // raises "Invalid data type for '%s'" and leaves the stream as it was.
  bool LoadStreamFromRegistry();
  // Stores the whole stream as a binary value, creating the key when missing.
  bool SaveStreamToRegistry();
  // The stream takes the file's bytes and size; false when the file does not exist.
  bool LoadStreamFromFile(const std::u16string& strFilewithpath);
  // Writes the stream to FilePath + FileName; false when FilePath is empty.
  bool SaveStreamToFile();
  // Writes the stream to a full path, creating its folder (one level) when missing.
  bool SaveStreamToFile(const std::u16string& strFileWithPath);
  // Asks the owner's handler for the defaults, when one is assigned.
  void RestoreToDefault();

private:
  void WriteStreamTo(const std::u16string& path) const;

  TksProfileStream FMemoryStream;
  std::uint32_t FRootKey = 0;
  std::u16string FKeyPath;
  std::u16string FFileName;
  std::u16string FFilePath;
  TksProfileOnRestoreToDefault FOnRestoreToDefault;
  std::int64_t FSize = 0;
};

}  // namespace vd
