#include "base/WideStrings.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Strings.h"
#include "platform/Platform.h"

namespace vd {

namespace {

bool IsLineBreak(char16_t c) {
  return c == u'\r' || c == u'\n' || c == u'\u000B' || c == u'\u000C' || c == u'\u2028' || c == u'\u2029';
}

}  // namespace

std::vector<std::u16string> SplitTextLines(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
    start = end + 1;
  }
  return lines;
}

int TvgWideStrings::IndexOf(std::u16string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Strings(i), text) == 0) return i;
  return -1;
}

void TvgWideStrings::AddStrings(const TvgWideStrings& source) {
  for (int i = 0; i < source.Count(); ++i) Add(source.Strings(i));
}

std::u16string TvgWideStrings::Text() const {
  std::u16string text;
  for (int i = 0; i < Count(); ++i) {
    text += Strings(i);
    text += u"\r\n";
  }
  return text;
}

void TvgWideStrings::SetText(std::u16string_view text) {
  Clear();
  for (std::u16string& line : SplitTextLines(text)) Add(std::move(line));
}

std::u16string TvgWideStrings::Names(int index) const {
  const std::u16string& entry = Strings(index);
  const std::size_t equals = entry.find(u'=');
  return equals == std::u16string::npos ? std::u16string() : entry.substr(0, equals);
}

int TvgWideStrings::IndexOfName(std::u16string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::u16string& entry = Strings(i);
    const std::size_t equals = entry.find(u'=');
    if (equals != std::u16string::npos && CompareStrings(std::u16string_view(entry).substr(0, equals), name) == 0)
      return i;
  }
  return -1;
}

std::u16string TvgWideStrings::Values(std::u16string_view name) const {
  const int index = IndexOfName(name);
  if (index < 0) return {};
  const std::u16string& entry = Strings(index);
  return entry.substr(entry.find(u'=') + 1);
}

std::u16string TvgWideStrings::NameOfValue(std::u16string_view value) const {
  for (int i = 0; i < Count(); ++i) {
    const std::u16string& entry = Strings(i);
    const std::size_t equals = entry.find(u'=');
    if (equals != std::u16string::npos && CompareStrings(std::u16string_view(entry).substr(equals + 1), value) == 0)
      return entry.substr(0, equals);
  }
  return {};
}

void TvgWideStrings::SetValue(std::u16string_view name, std::u16string_view value) {
  const int index = IndexOfName(name);
  if (index >= 0) Delete(index);
  if (!value.empty()) Add(std::u16string(name) + u"=" + std::u16string(value));
}

void TvgWideStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw Exception(Format(u"List index out of bounds (%d)", {IntToStr(index)}));
}

const std::u16string& TvgWideStringList::Strings(int index) const {
  CheckIndex(index);
  return FItems[static_cast<std::size_t>(index)].Text;
}

TOwnedObject* TvgWideStringList::Objects(int index) const {
  CheckIndex(index);
  return FItems[static_cast<std::size_t>(index)].Object.get();
}

int TvgWideStringList::AddObject(std::u16string text, std::unique_ptr<TOwnedObject> object) {
  int index = Count();
  if (FSorted && Find(text, index)) return index;
  FItems.insert(FItems.begin() + index, TItem{std::move(text), std::move(object)});
  return index;
}

void TvgWideStringList::Delete(int index) {
  CheckIndex(index);
  FItems.erase(FItems.begin() + index);
}

int TvgWideStringList::CompareStrings(std::u16string_view a, std::u16string_view b) const {
  const int result = platform::Platform().Locale->CompareText(a, b, !FCaseSensitive);
  // The collation may call different texts equal (it ignores some characters); a
  // case-sensitive list matches only identical texts.
  if (result == 0 && FCaseSensitive && a != b) return a < b ? -1 : 1;
  return result;
}

int TvgWideStringList::IndexOf(std::u16string_view text) const {
  if (!FSorted) return TvgWideStrings::IndexOf(text);
  int index = 0;
  return Find(text, index) ? index : -1;
}

bool TvgWideStringList::Find(std::u16string_view text, int& index) const {
  int low = 0;
  int high = Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareStrings(FItems[static_cast<std::size_t>(middle)].Text, text) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  index = low;
  return low < Count() && CompareStrings(FItems[static_cast<std::size_t>(low)].Text, text) == 0;
}

void TvgWideStringList::SetText(std::u16string_view text) {
  if (!FSorted) {
    TvgWideStrings::SetText(text);
    return;
  }
  // Adding line by line would cost a search and a shift per line; sorting once and keeping
  // the first of equal lines gives the same list.
  Clear();
  for (std::u16string& line : SplitTextLines(text)) FItems.push_back(TItem{std::move(line), nullptr});
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const TItem& a, const TItem& b) { return CompareStrings(a.Text, b.Text) < 0; });
  const auto end = std::unique(FItems.begin(), FItems.end(),
                               [this](const TItem& a, const TItem& b) { return CompareStrings(a.Text, b.Text) == 0; });
  FItems.erase(end, FItems.end());
}

}  // namespace vd
