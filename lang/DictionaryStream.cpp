#include "lang/DictionaryStream.h"

#include "base/Strings.h"

namespace vd {

namespace {

// Reads the stream front to back; every read is checked against the bytes that remain.
class TDictionaryReader {
public:
  TDictionaryReader(std::span<const std::uint8_t> data, std::u16string_view sourceName)
      : FData(data), FSourceName(sourceName) {}

  std::int32_t ReadCount(std::u16string_view what) {
    if (Remaining() < 4)
      Fail(Format(u"it ends at byte %d, inside the length of the %s", {IntToStr(FData.size()), what}));
    const std::uint32_t value =
        static_cast<std::uint32_t>(FData[FPosition]) | static_cast<std::uint32_t>(FData[FPosition + 1]) << 8 |
        static_cast<std::uint32_t>(FData[FPosition + 2]) << 16 | static_cast<std::uint32_t>(FData[FPosition + 3]) << 24;
    FPosition += 4;
    return static_cast<std::int32_t>(value);
  }

  std::u16string ReadWideString(std::u16string_view what) {
    const std::size_t at = FPosition;
    const std::int32_t length = ReadCount(what);
    if (length < 0)
      Fail(Format(u"the %s has the negative length %d (byte %d)", {what, IntToStr(length), IntToStr(at)}));
    if (static_cast<std::size_t>(length) > Remaining() / 2)
      Fail(Format(u"the %s claims %d characters at byte %d, but only %d bytes follow",
                  {what, IntToStr(length), IntToStr(at), IntToStr(Remaining())}));
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    for (char16_t& c : text) {
      c = static_cast<char16_t>(FData[FPosition] | FData[FPosition + 1] << 8);
      FPosition += 2;
    }
    return text;
  }

  std::size_t Position() const { return FPosition; }
  std::size_t Remaining() const { return FData.size() - FPosition; }

  [[noreturn]] void Fail(std::u16string_view reason) const {
    throw EDictionaryError(Format(u"Dictionary \"%s\" is damaged: %s.", {FSourceName, reason}),
                           std::u16string(FSourceName));
  }

private:
  std::span<const std::uint8_t> FData;
  std::u16string_view FSourceName;
  std::size_t FPosition = 0;
};

// Every language takes at least its name's and its table's lengths.
constexpr std::size_t kSmallestLanguage = 8;

void WriteCount(std::vector<std::uint8_t>& out, std::size_t count) {
  const auto value = static_cast<std::uint32_t>(count);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void WriteWideString(std::vector<std::uint8_t>& out, std::u16string_view text) {
  WriteCount(out, text.size());
  for (char16_t c : text) {
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
}

}  // namespace

EDictionaryError::EDictionaryError(std::u16string message, std::u16string fileName)
    : Exception(std::move(message)), FFileName(std::move(fileName)) {}

TDictionaryContent ParseDictionaryStream(std::span<const std::uint8_t> data, std::u16string_view sourceName) {
  TDictionaryReader reader(data, sourceName);
  TDictionaryContent content;
  content.SourceText = reader.ReadWideString(u"source text");
  const std::size_t countAt = reader.Position();
  const std::int32_t count = reader.ReadCount(u"language count");
  if (count < 0)
    reader.Fail(Format(u"the language count %d is negative (byte %d)", {IntToStr(count), IntToStr(countAt)}));
  if (static_cast<std::size_t>(count) > reader.Remaining() / kSmallestLanguage)
    reader.Fail(Format(u"the language count %d does not fit the %d bytes that follow",
                       {IntToStr(count), IntToStr(reader.Remaining())}));
  for (std::int32_t i = 1; i <= count; ++i) {
    TDictionaryLanguage language;
    language.Name = reader.ReadWideString(Format(u"name of language %d", {IntToStr(i)}));
    language.TableText = reader.ReadWideString(Format(u"table of language %d", {IntToStr(i)}));
    content.Languages.push_back(std::move(language));
  }
  if (reader.Remaining() != 0)
    reader.Fail(Format(u"%d bytes follow the last language", {IntToStr(reader.Remaining())}));
  return content;
}

std::vector<std::uint8_t> WriteDictionaryStream(const TDictionaryContent& content) {
  std::vector<std::uint8_t> out;
  WriteWideString(out, content.SourceText);
  WriteCount(out, content.Languages.size());
  for (const TDictionaryLanguage& language : content.Languages) {
    WriteWideString(out, language.Name);
    WriteWideString(out, language.TableText);
  }
  return out;
}

}  // namespace vd
