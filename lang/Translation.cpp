#include "lang/Translation.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace vd {

namespace {

struct TTranslationState {
  std::unique_ptr<TvgWideStringList> ActiveLanguageTable;
  bool RestoringSourceTexts = false;
  std::vector<IvgLanguageScene*> LanguageScenes;
};

TTranslationState& State() {
  static TTranslationState state;
  return state;
}

bool IsRegistered(const IvgLanguageScene* scene) {
  const auto& scenes = State().LanguageScenes;
  return std::find(scenes.begin(), scenes.end(), scene) != scenes.end();
}

}  // namespace

const TvgWideStringList* ActiveLanguageTable() { return State().ActiveLanguageTable.get(); }

bool RestoringSourceTexts() { return State().RestoringSourceTexts; }

std::u16string LookupTranslation(std::u16string_view text) {
  const TTranslationState& state = State();
  if (text.empty() || !state.ActiveLanguageTable) return std::u16string(text);
  std::u16string result = state.RestoringSourceTexts ? state.ActiveLanguageTable->NameOfValue(text)
                                                     : state.ActiveLanguageTable->Values(text);
  return result.empty() ? std::u16string(text) : result;
}

void ActivateLanguageTable(const TvgWideStrings* table) {
  if (!table) return;
  // Copied first: the table may be the active one, which the restore discards.
  auto copy = std::make_unique<TvgWideStringList>(true, true);
  copy->AddStrings(*table);
  RestoreSourceTexts();
  State().ActiveLanguageTable = std::move(copy);
  RefreshLanguageScenes();
}

void RestoreSourceTexts() {
  TTranslationState& state = State();
  if (!state.ActiveLanguageTable) return;
  struct TRestoring {
    TRestoring() { State().RestoringSourceTexts = true; }
    ~TRestoring() { State().RestoringSourceTexts = false; }
  };
  {
    TRestoring restoring;
    RefreshLanguageScenes();
  }
  state.ActiveLanguageTable.reset();
}

void RegisterLanguageScene(IvgLanguageScene* scene) {
  if (scene && !IsRegistered(scene)) State().LanguageScenes.push_back(scene);
}

void UnregisterLanguageScene(IvgLanguageScene* scene) {
  auto& scenes = State().LanguageScenes;
  scenes.erase(std::remove(scenes.begin(), scenes.end(), scene), scenes.end());
}

void RefreshLanguageScenes() {
  // A scene may unregister another (or itself) while it refreshes: walk a snapshot and
  // skip what has left.
  const std::vector<IvgLanguageScene*> snapshot = State().LanguageScenes;
  for (IvgLanguageScene* scene : snapshot)
    if (IsRegistered(scene)) scene->UpdateResource();
}

void ReleaseTranslationState() {
  TTranslationState& state = State();
  state.ActiveLanguageTable.reset();
  state.RestoringSourceTexts = false;
  state.LanguageScenes.clear();
}

}  // namespace vd
