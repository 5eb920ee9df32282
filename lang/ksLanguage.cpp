#include "lang/ksLanguage.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Strings.h"
#include "lang/DictionaryStream.h"
#include "lang/Translation.h"
#include "platform/Platform.h"

namespace vd {

namespace {

constexpr std::u16string_view kLanguageFileName = u"ks.local";

std::vector<TComponent*>& Forms() {
  static std::vector<TComponent*> forms;
  return forms;
}

// The form that carries a language component is the top of its ownership tree.
bool IsForm(const TComponent* component) { return component && !component->Owner(); }

}  // namespace

const std::vector<TComponent*>& ParentForms() { return Forms(); }

TksLanguage::TksLanguage(TComponent* AOwner) : TvgLang(AOwner) {
  FTranslatePropertyList.SetText(u"Caption\nHint\n");
  FTranslateSpecialClassList.SetText(
      u"TMenuItem\nTTabControl\nTTabSheet\nTListView\nTTreeView\nTStatusBar\nTComboBoxEx\nTksMenuEx\n");
  if (IsForm(AOwner)) {
    FParentForm = AOwner;
    Forms().push_back(AOwner);
  }
  LoadLanguageFile();
}

const TClassInfo& TksLanguage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TksLanguage>(u"TksLanguage", TvgLang::StaticClassInfo()).Creatable().Build();
  return info;
}

TksLanguage::~TksLanguage() {
  // The component goes no later than the form that owns it: the form leaves the list with
  // it, so that no walk meets a destroyed form.
  if (!FParentForm) return;
  auto& forms = Forms();
  const auto it = std::find(forms.begin(), forms.end(), FParentForm);
  if (it != forms.end()) forms.erase(it);
}

void TksLanguage::LoadLanguageFile() {
  platform::IFileSystem& files = *platform::Platform().Files;
  const std::u16string fileName = files.ProgramFolder() + std::u16string(kLanguageFileName);
  if (!files.FileExists(fileName)) return;
  try {
    Resources().Clear();
    LoadFromFile(fileName);
  } catch (const EDictionaryError& error) {
    FLocalFileError = error;
  } catch (const EFOpenError& error) {
    FLocalFileError = error;
  }
  if (FLocalFileError) platform::Platform().UI->DebugOutput(FLocalFileError->Message());
}

void TksLanguage::SetLang(const std::u16string& value) {
  TvgLang::SetLang(value);
  FLanguageName = value;
  // By index into the live list: a setter that creates or frees a language component
  // changes the list, and a freed form must not be visited.
  for (std::size_t i = 0; i < Forms().size(); ++i) TranslateOwnedComponents(*Forms()[i]);
}

void TksLanguage::TranslateOwnedComponents(TComponent& component) const {
  TranslateComponentProperties(component);
  for (int i = 0; i < component.ComponentCount(); ++i) {
    TComponent& item = *component.Components(i);
    if (FTranslateSpecialClassList.IndexOf(item.ClassName()) >= 0) continue;
    if (dynamic_cast<IvgLanguageScene*>(&item)) continue;
    TranslateOwnedComponents(item);
  }
}

void TksLanguage::TranslateComponentProperties(TComponent& component) const {
  for (int i = 0; i < FTranslatePropertyList.Count(); ++i) {
    // A component without the property, or with one that holds no text, is left alone.
    const TPropInfo* property = component.ClassType().FindProperty(FTranslatePropertyList.Strings(i));
    if (!property || property->Kind != TPropKind::String) continue;
    const std::u16string text = property->GetString(component);
    if (!text.empty()) property->SetString(component, LookupTranslation(text));
  }
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
