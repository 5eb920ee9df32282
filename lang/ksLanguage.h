#pragma once
// TksLanguage, the language component a form carries: a dictionary that also names its
// languages by position and short identifier (the language's name), loads the language
// file ks.local from the program's folder when it is created, and translates the captions
// and hints of the ordinary components of every form that carries one.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Errors.h"
#include "lang/Dictionary.h"

namespace vd {

// Publishes what TvgLang publishes, with Lang standing for the short identifier.
class TksLanguage : public TvgLang {
public:
  // Loads ks.local from the program's folder when it is there; its languages come first.
  // A ks.local that cannot be read or is malformed is left out as a whole (see
  // LocalFileError).
  explicit TksLanguage(TComponent* AOwner);
  ~TksLanguage() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // The short identifier of the selected language, in place of the dictionary's Lang:
  // setting it selects the language as the dictionary does, keeps the name (also one
  // without a table) and translates every form that carries a language component.
  const std::u16string& Lang() const override { return FLanguageName; }
  void SetLang(const std::u16string& value) override;

  // The system default language id as four upper-case hexadecimal digits ("0804").
  std::u16string GetOSDefaultLang() const;
  // Position of the first language of that name (case-insensitive), or -1.
  int GetLanguageIndexByShortID(std::u16string_view Index) const;
  // Name of the language at that position; empty outside 0 .. count - 1.
  std::u16string GetLanguageShortIDByIndex(int Index) const;

  const TvgWideStringList& TranslatePropertyList() const { return FTranslatePropertyList; }
  // Classes whose components the translation walk leaves alone.

  // Why the ks.local beside the program was left out (unreadable or malformed; the message
  // names the file), or nullptr when it was read or is absent. The component only traces
  // it to the debug output; the form that carries it decides whether to show it.
  const Exception* LocalFileError() const { return FLocalFileError ? &*FLocalFileError : nullptr; }

private:
  void LoadLanguageFile();
  // Sets the translation of every listed string property of the component and of the
  // components it owns, all the way down; skipped classes and scenes whose controls
  // translate themselves (IvgLanguageScene) are left alone with everything they own.
  void TranslateOwnedComponents(TComponent& component) const;
  void TranslateComponentProperties(TComponent& component) const;

  std::u16string FLanguageName;
  TvgWideStringList FTranslatePropertyList;
  TvgWideStringList FTranslateSpecialClassList;
  TComponent* FParentForm = nullptr;
  std::optional<Exception> FLocalFileError;
};

// The forms that carry a language component, once per component, in creation order. A
// form is listed from the creation of its language component until that component goes.
const std::vector<TComponent*>& ParentForms();

}  // namespace vd
