#include "scene/controls/TextControls.h"

#include "scene/Translator.h"
#include "scene/controls/Text.h"

namespace vd {

TvgTextControl::TvgTextControl(TComponent* AOwner) : TvgControl(AOwner) {
  FFont->OnChanged = [this] { UpdateTextPart(); };
}

const TClassInfo& TvgTextControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgTextControl>(u"TvgTextControl", TvgControl::StaticClassInfo())
          .Creatable()
          .Object(u"Font", &TvgTextControl::Font)
          .Enumeration(u"TextAlign", &TvgTextControl::TextAlign, &TvgTextControl::SetTextAlign, TextAlignNames())
          .Stored(&TvgTextControl::IsTextAlignStored)
          .Enumeration(u"VertTextAlign", &TvgTextControl::VertTextAlign, &TvgTextControl::SetVertTextAlign,
                       TextAlignNames())
          .Default(vgTextAlignCenter)
          .String(u"Text", &TvgTextControl::Text, &TvgTextControl::SetText)
          .Boolean(u"WordWrap", &TvgTextControl::WordWrap, &TvgTextControl::SetWordWrap)
          .Default(false)
          .Build();
  return info;
}

void TvgTextControl::SetText(const std::u16string& value) {
  FText = value;
  UpdateTextPart();
}

void TvgTextControl::SetTextAlign(TvgTextAlign value) {
  FTextAlign = value;
  UpdateTextPart();
}

void TvgTextControl::SetVertTextAlign(TvgTextAlign value) {
  FVertTextAlign = value;
  UpdateTextPart();
}

void TvgTextControl::SetWordWrap(bool value) {
  FWordWrap = value;
  UpdateTextPart();
}

TvgText* TvgTextControl::TextPart() const {
  return ResourceLink() ? dynamic_cast<TvgText*>(ResourceLink()->FindResource(u"text")) : nullptr;
}

void TvgTextControl::AfterApplyResource() {
  if (AutoTranslate()) FText = TranslateText(FText);
  UpdateTextPart();
}

void TvgTextControl::UpdateTextPart() {
  TvgText* part = TextPart();
  if (!part) return;
  part->SetText(FText);
  part->Font()->Assign(*FFont);
  part->SetHorzTextAlign(FTextAlign);
  part->SetVertTextAlign(FVertTextAlign);
  part->SetWordWrap(FWordWrap);
}

TvgLabel::TvgLabel(TComponent* AOwner) : TvgTextControl(AOwner) {
  SetAutoTranslate(true);
  ResetTextAlign();
}

const TClassInfo& TvgLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgLabel>(u"TvgLabel", TvgTextControl::StaticClassInfo()).Creatable().Build();
  return info;
}

}  // namespace vd
