#pragma once
// The dictionary stream: the bytes of a language file (ks.local) and of a dictionary
// component's stored ResourcesBin. Little-endian, no header: the source list's text, the
// language count, then per language its name and its table's text. Every text is a wide
// string: a 32-bit signed count of UTF-16 code units, then the code units.
//
// A stream is read and checked as a whole before anything of it is used: a count or length
// that does not fit the bytes, or bytes after the last language, reject the whole stream.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Errors.h"

namespace vd {

struct TDictionaryLanguage {
  std::u16string Name;
  std::u16string TableText;  // entries "source text=translation", each followed by CR LF
};

struct TDictionaryContent {
  std::u16string SourceText;  // the source texts, each followed by CR LF
  std::vector<TDictionaryLanguage> Languages;
};

// A dictionary that cannot be used: the message names the file (or stored property) it
// came from and what is wrong with it.
class EDictionaryError : public Exception {
public:
  EDictionaryError(std::u16string message, std::u16string fileName);
  const std::u16string& FileName() const noexcept { return FFileName; }

private:
  std::u16string FFileName;
};

// Reads a whole stream. Raises EDictionaryError naming `sourceName` when the stream is
// malformed; allocates nothing beyond the size of the stream.
TDictionaryContent ParseDictionaryStream(std::span<const std::uint8_t> data, std::u16string_view sourceName);

std::vector<std::uint8_t> WriteDictionaryStream(const TDictionaryContent& content);

}  // namespace vd
