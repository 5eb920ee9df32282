#pragma once
// Helpers shared by the localization tests: fixture files and a stand-in scene whose
// controls translate themselves the way the toolkit's controls do.

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "lang/Translation.h"

namespace vd::testing_support {

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("missing " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> Fixture(const std::string& name) {
  return ReadFile(std::string(VD_LANG_FIXTURES) + "/" + name);
}

struct TStandInControl {
  explicit TStandInControl(std::u16string text, std::u16string hint = {}, bool showHint = false,
                           bool autoTranslate = true)
      : Text(std::move(text)), Hint(std::move(hint)), ShowHint(showHint), AutoTranslate(autoTranslate) {}
  std::u16string Text;
  std::u16string Hint;
  bool ShowHint;
  bool AutoTranslate;
};

// Registered for its lifetime. On UpdateResource every control with automatic translation
// looks up its hint (when shown) and its text.
class TStandInScene : public IvgLanguageScene {
public:
  TStandInScene() { RegisterLanguageScene(this); }
  ~TStandInScene() { UnregisterLanguageScene(this); }
  TStandInScene(const TStandInScene&) = delete;
  TStandInScene& operator=(const TStandInScene&) = delete;

  void UpdateResource() override {
    FRestoringSeen.push_back(RestoringSourceTexts());
    if (std::exchange(FFailNext, false)) throw std::runtime_error("style missing");
    for (TStandInControl& control : FControls) {
      if (!control.AutoTranslate) continue;
      if (control.ShowHint && !control.Hint.empty()) control.Hint = LookupTranslation(control.Hint);
      control.Text = LookupTranslation(control.Text);
    }
    if (!FControls.empty()) FTextHistory.push_back(FControls[0].Text);
  }

  std::vector<TStandInControl> FControls;
  bool FFailNext = false;
  std::vector<bool> FRestoringSeen;
  std::vector<std::u16string> FTextHistory;  // the first control's text after each update
};

}  // namespace vd::testing_support
