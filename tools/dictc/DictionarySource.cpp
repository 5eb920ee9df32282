#include "tools/dictc/DictionarySource.h"

#include <algorithm>
#include <set>

#include "base/Strings.h"
#include "base/WideStrings.h"

namespace vd {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool BreaksALine(char16_t c) {
  return c == u'\0' || c == u'\r' || c == u'\n' || c == u'\u000B' || c == u'\u000C' || c == u'\u2028' || c == u'\u2029';
}

bool NeedsQuotes(std::u16string_view text) {
  return text.empty() || IsBlank(text.front()) || IsBlank(text.back()) || text.front() == u';' ||
         text.front() == u'[' || text.front() == u'"';
}

std::u16string LowerAscii(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = AsciiLower(c);
  return out;
}

class TSourceParser {
public:
  explicit TSourceParser(std::u16string_view fileName) : FFileName(fileName) {}

  TDictionaryContent Parse(std::string_view text) {
    if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      std::string_view raw = text.substr(start, end - start);
      if (raw.ends_with('\r')) raw.remove_suffix(1);
      ++FLine;
      ParseLine(raw);
      start = end + 1;
    }
    return std::move(FContent);
  }

private:
  enum class TSection { None, Source, Language };

  [[noreturn]] void Fail(std::u16string_view reason) const { throw EDictionarySourceError(FFileName, FLine, reason); }

  void ParseLine(std::string_view raw) {
    const std::u16string line = FromUtf8(raw);
    if (line.find(u'\uFFFD') != std::u16string::npos && raw.find(kReplacementCharacter) == std::string_view::npos)
      Fail(u"the line is not valid UTF-8");
    if (line.empty() || line.front() == u';') return;
    if (line.front() == u'[') return StartSection(line);
    const std::u16string entry = Unquote(line);
    for (char16_t c : entry)
      if (BreaksALine(c)) Fail(u"the text holds a line break or NUL, which would split or cut it");
    switch (FSection) {
      case TSection::None:
        Fail(u"a text before the first section; begin with [Source] or [Language NAME]");
      case TSection::Source:
        AddSourceText(entry);
        break;
      case TSection::Language:
        AddEntry(entry);
        break;
    }
  }

  void StartSection(std::u16string_view line) {
    if (!line.ends_with(u']')) Fail(u"a section header ends with \"]\"");
    const std::u16string_view header = line.substr(1, line.size() - 2);
    if (header == u"Source") {
      if (FSourceSeen) Fail(u"a second [Source] section");
      if (!FContent.Languages.empty()) Fail(u"the [Source] section comes before the languages");
      FSourceSeen = true;
      FSection = TSection::Source;
      return;
    }
    constexpr std::u16string_view kLanguage = u"Language ";
    if (!header.starts_with(kLanguage) || header.size() == kLanguage.size())
      Fail(u"unknown section; use [Source] or [Language NAME]");
    const std::u16string name(header.substr(kLanguage.size()));
    if (!FLanguageNames.insert(LowerAscii(name)).second) Fail(Format(u"the language \"%s\" is named twice", {name}));
    FContent.Languages.push_back({name, u""});
    FEntryNames.clear();
    FSection = TSection::Language;
  }

  std::u16string Unquote(std::u16string_view line) const {
    if (line.front() == u'"') {
      if (line.size() < 2 || line.back() != u'"') Fail(u"a quoted text ends with a double quote");
      return std::u16string(line.substr(1, line.size() - 2));
    }
    if (IsBlank(line.front()) || IsBlank(line.back()))
      Fail(u"a text that begins or ends with a blank is written in double quotes");
    return std::u16string(line);
  }

  void AddSourceText(const std::u16string& text) {
    if (!FSourceTexts.insert(text).second) Fail(Format(u"the source text \"%s\" is listed twice", {text}));
    FContent.SourceText += text + u"\r\n";
  }

  void AddEntry(const std::u16string& entry) {
    const std::size_t equals = entry.find(u'=');
    if (equals == std::u16string::npos) Fail(u"an entry is \"source text=translation\"; this one has no \"=\"");
    if (equals == 0) Fail(u"the entry has no source text before \"=\"");
    const std::u16string name = entry.substr(0, equals);
    if (!FEntryNames.insert(name).second)
      Fail(Format(u"the source text \"%s\" is translated twice in this language", {name}));
    FContent.Languages.back().TableText += entry + u"\r\n";
  }

  std::u16string FFileName;
  int FLine = 0;
  TSection FSection = TSection::None;
  bool FSourceSeen = false;
  TDictionaryContent FContent;
  std::set<std::u16string> FSourceTexts;
  std::set<std::u16string> FLanguageNames;
  std::set<std::u16string> FEntryNames;
};

void AppendText(std::string& out, std::u16string_view text) {
  const std::string quote = NeedsQuotes(text) ? "\"" : "";
  out += quote + ToUtf8(text) + quote + "\n";
}

}  // namespace

EDictionarySourceError::EDictionarySourceError(std::u16string_view fileName, int line, std::u16string_view reason)
    : Exception(Format(u"%s:%d: %s", {fileName, IntToStr(line), reason})) {}

TDictionaryContent ParseDictionarySource(std::string_view text, std::u16string_view fileName) {
  return TSourceParser(fileName).Parse(text);
}

std::string FormatDictionarySource(const TDictionaryContent& content) {
  std::string out = "[Source]\n";
  for (const std::u16string& text : SplitTextLines(content.SourceText)) AppendText(out, text);
  for (const TDictionaryLanguage& language : content.Languages) {
    out += "\n[Language " + ToUtf8(language.Name) + "]\n";
    for (const std::u16string& entry : SplitTextLines(language.TableText)) AppendText(out, entry);
  }
  return out;
}

}  // namespace vd
