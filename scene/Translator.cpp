#include "scene/Translator.h"

namespace vd {

namespace {
IvgTranslator* gTranslator = nullptr;
}  // namespace

IvgTranslator* SceneTranslator() { return gTranslator; }

void SetSceneTranslator(IvgTranslator* translator) { gTranslator = translator; }

std::u16string TranslateText(std::u16string_view text) {
  return gTranslator ? gTranslator->Translate(text) : std::u16string(text);
}

}  // namespace vd
