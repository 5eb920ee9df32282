#include "lang/SceneLanguage.h"

#include "scene/CustomScene.h"

namespace vd {

TvgSceneLanguage::TvgSceneLanguage() {
  SetSceneTranslator(this);
  RegisterLanguageScene(this);
}

TvgSceneLanguage::~TvgSceneLanguage() {
  UnregisterLanguageScene(this);
  if (SceneTranslator() == this) SetSceneTranslator(nullptr);
}

std::u16string TvgSceneLanguage::Translate(std::u16string_view text) { return LookupTranslation(text); }

void TvgSceneLanguage::UpdateResource() { UpdateAllScenes(); }

}  // namespace vd
