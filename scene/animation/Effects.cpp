#include "scene/animation/Effects.h"

#include "scene/animation/Triggers.h"
#include "scene/layout/VisualObject.h"

namespace vd {

const TClassInfo& TvgEffect::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgEffect>(u"TvgEffect", TvgObject::StaticClassInfo())
                                     .Boolean(u"Enabled", &TvgEffect::Enabled, &TvgEffect::SetEnabled)
                                     .Default(true)
                                     .String(u"Trigger", &TvgEffect::Trigger, &TvgEffect::SetTrigger)
                                     .Build();
  return info;
}

void TvgEffect::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (TvgVisualObject* parent = Parent() ? Parent()->Visual() : nullptr) parent->Repaint();
}

void TvgEffect::ApplyTrigger(TvgObject* AInstance, std::u16string_view ATrigger) {
  if (AInstance && TriggerNamed(FTrigger, ATrigger)) SetEnabled(LastTriggerClauseHolds(*AInstance, FTrigger));
}

}  // namespace vd
