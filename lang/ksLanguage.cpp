#include "lang/ksLanguage.h"

#include "core/Strings.h"
#include "platform/Platform.h"

namespace vd {

namespace {

constexpr std::u16string_view kLanguageFileName = u"ks.local";

}  // namespace

TksLanguage::TksLanguage(TComponent* AOwner) : TvgLang(AOwner) {
  FTranslatePropertyList.SetText(u"Caption\nHint\n");
  FTranslateSpecialClassList.SetText(
      u"TMenuItem\nTTabControl\nTTabSheet\nTListView\nTTreeView\nTStatusBar\nTComboBoxEx\nTksMenuEx\n");
  const std::u16string fileName = platform::Platform().Files->ProgramFolder() + std::u16string(kLanguageFileName);
  if (!platform::Platform().Files->FileExists(fileName)) return;
  try {
    Resources().Clear();
    LoadFromFile(fileName);
  } catch (const EDictionaryError& error) {
    FLocalFileError = error;
    platform::Platform().UI->DebugOutput(error.Message());
  }
}

TksLanguage::~TksLanguage() = default;

void TksLanguage::SetLang(const std::u16string& value) {
  TvgLang::SetLang(value);
  FLanguageName = value;
}

std::u16string TksLanguage::GetOSDefaultLang() const {
  return IntToHex(platform::Platform().Locale->SystemDefaultLangID(), 4);
}

int TksLanguage::GetLanguageIndexByShortID(std::u16string_view Index) const { return Resources().IndexOf(Index); }

std::u16string TksLanguage::GetLanguageShortIDByIndex(int Index) const {
  if (Index < 0 || Index >= Resources().Count()) return {};
  return Resources().Strings(Index);
}

}  // namespace vd
