#include "lang/Dictionary.h"

#include "base/Errors.h"
#include "base/Strings.h"
#include "lang/DictionaryStream.h"
#include "lang/Translation.h"
#include "platform/Platform.h"

namespace vd {

TvgLang::TvgLang(TComponent* AOwner) : TComponent(AOwner) {}

const TClassInfo& TvgLang::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgLang>(u"TvgLang", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .String(u"Lang", &TvgLang::Lang, &TvgLang::SetLang)
                                     .Boolean(u"AutoSelect", &TvgLang::AutoSelect, &TvgLang::SetAutoSelect)
                                     .Default(true)
                                     .Binary(u"ResourcesBin", &TvgLang::ReadResourcesBin, &TvgLang::ResourcesBin)
                                     .Build();
  return info;
}

void TvgLang::SetLang(const std::u16string& value) {
  FLang = value;
  if (IsLoading()) return;
  if (value == u"en")
    RestoreSourceTexts();
  else
    ActivateLanguageTable(LanguageTable(value));
}

const TvgWideStringList* TvgLang::LanguageTable(std::u16string_view name) const {
  const int index = FResources.IndexOf(name);
  return index < 0 ? nullptr : dynamic_cast<const TvgWideStringList*>(FResources.Objects(index));
}

void TvgLang::ReadDictionaryStream(std::span<const std::uint8_t> data, std::u16string_view sourceName) {
  TDictionaryContent content = ParseDictionaryStream(data, sourceName);
  FOriginal.SetText(content.SourceText);
  for (TDictionaryLanguage& language : content.Languages) {
    auto table = std::make_unique<TvgWideStringList>(true, true);
    table->SetText(language.TableText);
    FResources.AddObject(std::move(language.Name), std::move(table));
  }
}

void TvgLang::ReadResourcesBin(std::span<const std::uint8_t> data) {
  ReadDictionaryStream(data, Name() + u".ResourcesBin");
}

std::optional<std::vector<std::uint8_t>> TvgLang::ResourcesBin() const {
  if (FOriginal.Count() == 0 && FResources.Count() == 0) return std::nullopt;
  TDictionaryContent content{FOriginal.Text(), {}};
  for (int i = 0; i < FResources.Count(); ++i) {
    const auto* table = dynamic_cast<const TvgWideStrings*>(FResources.Objects(i));
    content.Languages.push_back({FResources.Strings(i), table ? table->Text() : u""});
  }
  return WriteDictionaryStream(content);
}

void TvgLang::LoadFromFile(const std::u16string& fileName) {
  platform::IFileSystem& files = *platform::Platform().Files;
  if (!files.FileExists(fileName)) return;
  platform::TBytes data;
  if (const std::uint32_t error = files.ReadFile(fileName, data))
    throw EFOpenError(fileName, files.SystemErrorMessage(error));
  ReadDictionaryStream(data, fileName);
}

void TvgLang::Loaded() {
  TComponent::Loaded();
  if (FAutoSelect) {
    FLang = platform::Platform().Locale->UserAbbrevLangName().substr(0, 2);
    for (char16_t& c : FLang) c = AsciiLower(c);
  }
  if (!FLang.empty()) ActivateLanguageTable(LanguageTable(FLang));
}

}  // namespace vd
