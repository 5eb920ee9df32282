#pragma once
// The process-wide translation state that every dictionary component shares: the copy of
// the active language's table, the flag that turns lookups backwards while controls return
// to their source texts, and the registry of scenes whose controls translate themselves.
// Whichever dictionary activates a language last decides what every lookup returns. Main
// thread only.

#include <string>
#include <string_view>

#include "base/WideStrings.h"

// The Windows headers make UpdateResource a macro for a function of their own; this
// operation keeps its name wherever they were included first.
#ifdef UpdateResource
#undef UpdateResource
#endif

namespace vd {

// What the translation state needs of a scene: re-apply every control's style resource,
// upon which each control with automatic translation looks up the text and hint it shows
// now. A scene registers itself when it is created and unregisters before it is destroyed;
// the scene toolkit's scenes take part all together, through lang/SceneLanguage.h.
class IvgLanguageScene {
public:
  virtual void UpdateResource() = 0;

protected:
  ~IvgLanguageScene() = default;
};

// The active table (sorted, case-sensitive entries "source=translation"), or nullptr.
const TvgWideStringList* ActiveLanguageTable();
bool RestoringSourceTexts();

// The translation of `text` in the active table, or while source texts are being restored
// the source text whose translation `text` is. A text without an entry, or with an empty
// one, comes back unchanged; matching is of the whole text, case-sensitive.
std::u16string LookupTranslation(std::u16string_view text);

// Returns every control to its source text, then makes a copy of `table` the active table
// and has every control translate itself. Nothing changes for no table.
void ActivateLanguageTable(const TvgWideStrings* table);
// Has every control look its text up backwards, then discards the active table.
void RestoreSourceTexts();

// Appends a scene unless it is registered already.
void RegisterLanguageScene(IvgLanguageScene* scene);
void UnregisterLanguageScene(IvgLanguageScene* scene);
// UpdateResource on every registered scene, in registration order.
void RefreshLanguageScenes();

// Drops the active table and the scene registry; run when the toolkit shuts down.
void ReleaseTranslationState();

}  // namespace vd
