#pragma once
// The language of the toolkit's texts. A control that translates its texts (AutoTranslate)
// looks them up through the translator the program installs; where the language comes from
// is the program's business. Without a translator every text shows as it is. When the
// language changes, the program has every scene apply its styles again (UpdateAllScenes),
// upon which those controls look their texts up anew. Main thread only.

#include <string>
#include <string_view>

namespace vd {

class IvgTranslator {
public:
  // The text in the language shown now; a text without a translation comes back as it is.
  virtual std::u16string Translate(std::u16string_view text) = 0;

protected:
  ~IvgTranslator() = default;
};

// The translator of the process, or nullptr while none is installed.
IvgTranslator* SceneTranslator();
void SetSceneTranslator(IvgTranslator* translator);

// The text through the installed translator, or as it is without one.
std::u16string TranslateText(std::u16string_view text);

}  // namespace vd
