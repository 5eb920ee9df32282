#pragma once
// TvgLang, the dictionary component: the source texts, one language table per language
// (hung on the language's name in Resources), read from dictionary streams, and the
// selection of the active language for the whole process.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/WideStrings.h"
#include "core/ClassInfo.h"
#include "core/Component.h"

namespace vd {

// Published: Lang, AutoSelect (default true) and the stored dictionary ResourcesBin.
class TvgLang : public TComponent {
public:
  explicit TvgLang(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  virtual const std::u16string& Lang() const { return FLang; }
  // "en" returns every text to its source; any other value activates the language of that
  // name, if there is one. Nothing but the value changes while the component is loading.
  virtual void SetLang(const std::u16string& value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }

  // Language names in order, case-insensitive; each owns its table.
  TvgWideStringList& Resources() { return FResources; }
  const TvgWideStringList& Resources() const { return FResources; }
  // The source texts (sorted, case-sensitive).
  const TvgWideStringList& Original() const { return FOriginal; }

  // The table of the first language of that name (case-insensitive), or nullptr.
  const TvgWideStringList* LanguageTable(std::u16string_view name) const;

  // Reads a whole dictionary stream: it replaces the source texts and appends its
  // languages after those already held (an earlier language shadows a later one of the
  // same name). A malformed stream raises EDictionaryError naming `sourceName` and changes
  // nothing. The stored ResourcesBin property is read this way.
  void ReadDictionaryStream(std::span<const std::uint8_t> data, std::u16string_view sourceName);
  // Reads a dictionary file; a missing file changes nothing. A file that cannot be read
  // raises EFOpenError, a malformed one EDictionaryError; either changes nothing.
  void LoadFromFile(const std::u16string& fileName);

  // With AutoSelect on, selects the language named by the user locale's two-letter code.
  void Loaded() override;

private:
  void ReadResourcesBin(std::span<const std::uint8_t> data);
  // The dictionary as a stream; nothing when the component holds none.
  std::optional<std::vector<std::uint8_t>> ResourcesBin() const;

  std::u16string FLang;
  // Declared so that destruction frees the tables with the names list before the source list.
  TvgWideStringList FOriginal{true, true};
  TvgWideStringList FResources;
  bool FAutoSelect = true;
};

}  // namespace vd
