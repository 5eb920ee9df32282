#pragma once
// The active language plugged into the scene toolkit: while a TvgSceneLanguage lives, it is
// the toolkit's translator (texts through the active language table, or back to their source
// texts while those are being restored), and every change of language has every live scene
// apply its controls' styles again, upon which they look their texts up anew. A program that
// shows scenes keeps one for as long as it does. Main thread only.

#include <string>
#include <string_view>

#include "lang/Translation.h"
#include "scene/Translator.h"

namespace vd {

class TvgSceneLanguage final : public IvgTranslator, public IvgLanguageScene {
public:
  TvgSceneLanguage();
  ~TvgSceneLanguage();
  // Its address is what the toolkit and the translation state hold.
  TvgSceneLanguage(const TvgSceneLanguage&) = delete;
  TvgSceneLanguage& operator=(const TvgSceneLanguage&) = delete;

  std::u16string Translate(std::u16string_view text) override;
  void UpdateResource() override;
};

}  // namespace vd
