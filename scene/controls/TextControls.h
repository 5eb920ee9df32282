#pragma once
// Controls that show a text through their style: the style's part named "text" (a
// TvgText) gets the control's text, font and alignment whenever the style is applied or
// one of them changes. With AutoTranslate, applying the style first replaces the text by
// its translation in the language shown now (scene/Translator.h).

#include <memory>
#include <string>

#include "scene/paint/Font.h"
#include "scene/style/Control.h"

namespace vd {

class TvgText;

class TvgTextControl : public TvgControl {
public:
  explicit TvgTextControl(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  const std::u16string& Text() const { return FText; }
  void SetText(const std::u16string& value);
  TvgFont* Font() const { return FFont.get(); }
  TvgTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TvgTextAlign value);
  TvgTextAlign VertTextAlign() const { return FVertTextAlign; }
  void SetVertTextAlign(TvgTextAlign value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);

  // The style's text part, or none.
  TvgText* TextPart() const;

protected:
  void AfterApplyResource() override;
  // The alignment of a new control of the class; written only when changed.
  virtual TvgTextAlign DefaultTextAlign() const { return vgTextAlignCenter; }
  // Sets the alignment to what a new control of the class has; run by each class that has its own.
  void ResetTextAlign() { FTextAlign = DefaultTextAlign(); }

private:
  bool IsTextAlignStored() const { return FTextAlign != DefaultTextAlign(); }
  void UpdateTextPart();

  std::u16string FText;
  std::unique_ptr<TvgFont> FFont = std::make_unique<TvgFont>();
  TvgTextAlign FTextAlign = vgTextAlignCenter;
  TvgTextAlign FVertTextAlign = vgTextAlignCenter;
  bool FWordWrap = false;
};

// A label: its text starts at the left (TextAlign vgTextAlignNear) and is translated.
class TvgLabel : public TvgTextControl {
public:
  explicit TvgLabel(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

protected:
  bool DefaultAutoTranslate() const override { return true; }
  TvgTextAlign DefaultTextAlign() const override { return vgTextAlignNear; }
};

}  // namespace vd
