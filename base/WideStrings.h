#pragma once
// Wide string lists: an ordered list of UTF-16 strings, each of which may own one object.
// Strings compare through the user locale's collation, with or without regard to case; a
// sorted list keeps its strings in collation order, holds no duplicates and finds by binary
// search. Entries of the form "name=value" give the lookups the dictionary is built on.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vd {

// Anything a list entry can own; the list frees it with the entry.
class TOwnedObject {
public:
  virtual ~TOwnedObject() = default;
};

// Splits a text into lines as assigning a list's text does: a line ends at CR LF, CR, LF,
// U+000B, U+000C, U+2028 or U+2029; a break after the last line adds no empty line; the
// text ends at its first NUL.
std::vector<std::u16string> SplitTextLines(std::u16string_view text);

// The list operations that depend only on reading and adding entries: the text, and the
// name/value entries. An entry's name is the text before its first "=" and its value the
// text after it; an entry without "=" has no name and is never found by name or value.
class TvgWideStrings : public TOwnedObject {
public:
  TvgWideStrings() = default;
  TvgWideStrings(const TvgWideStrings&) = delete;
  TvgWideStrings& operator=(const TvgWideStrings&) = delete;

  virtual int Count() const = 0;
  virtual const std::u16string& Strings(int index) const = 0;
  virtual TOwnedObject* Objects(int index) const = 0;
  // Adds a string owning `object` (which may be empty); answers its index. A sorted list
  // that already holds the string adds nothing, frees `object` and answers the index of the
  // string it holds.
  virtual int AddObject(std::u16string text, std::unique_ptr<TOwnedObject> object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // Negative, 0 or positive, by the list's comparison.
  virtual int CompareStrings(std::u16string_view a, std::u16string_view b) const = 0;
  virtual int IndexOf(std::u16string_view text) const;

  int Add(std::u16string text) { return AddObject(std::move(text), nullptr); }
  // Adds every string of `source`, without its objects.
  void AddStrings(const TvgWideStrings& source);

  // Every entry followed by CR LF.
  std::u16string Text() const;
  // Clears the list and adds one entry per line of `text` (see SplitTextLines).
  virtual void SetText(std::u16string_view text);

  std::u16string Names(int index) const;
  int IndexOfName(std::u16string_view name) const;
  // The value of the first entry whose name compares equal to `name`; empty when none does.
  std::u16string Values(std::u16string_view name) const;
  // The name of the first entry whose value compares equal to `value`; empty when none does.
  std::u16string NameOfValue(std::u16string_view value) const;
  // A non-empty value replaces the entry of that name (or adds one); an empty value removes it.
  void SetValue(std::u16string_view name, std::u16string_view value);
};

class TvgWideStringList : public TvgWideStrings {
public:
  // Unsorted and case-insensitive unless told otherwise.
  TvgWideStringList() = default;
  TvgWideStringList(bool sorted, bool caseSensitive) : FSorted(sorted), FCaseSensitive(caseSensitive) {}

  int Count() const override { return static_cast<int>(FItems.size()); }
  // An index outside 0 .. Count - 1 raises "List index out of bounds (%d)".
  const std::u16string& Strings(int index) const override;
  TOwnedObject* Objects(int index) const override;
  int AddObject(std::u16string text, std::unique_ptr<TOwnedObject> object) override;
  void Delete(int index) override;
  void Clear() override { FItems.clear(); }
  int CompareStrings(std::u16string_view a, std::u16string_view b) const override;
  int IndexOf(std::u16string_view text) const override;
  void SetText(std::u16string_view text) override;

  bool Sorted() const { return FSorted; }
  bool CaseSensitive() const { return FCaseSensitive; }

  // Binary search of a sorted list: true when found; `index` is where the string is or
  // would be inserted.
  bool Find(std::u16string_view text, int& index) const;

private:
  struct TItem {
    std::u16string Text;
    std::unique_ptr<TOwnedObject> Object;
  };
  void CheckIndex(int index) const;

  std::vector<TItem> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
};

}  // namespace vd
