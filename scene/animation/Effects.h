#pragma once
// TvgEffect, the base of the graphic effects (shadows, glows, blurs) that change how their
// parent is drawn. An effect with a Trigger is switched on and off as the triggers it names
// are raised: it is on while the last clause of its condition that the raising object can
// answer holds.

#include <string>
#include <string_view>

#include "scene/tree/VgObject.h"

namespace vd {

class TvgEffect : public TvgObject {
public:
  explicit TvgEffect(TComponent* AOwner) : TvgObject(AOwner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Whether the effect is drawn; a change repaints the parent.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  const std::u16string& Trigger() const { return FTrigger; }
  void SetTrigger(const std::u16string& value) { FTrigger = value; }

  // A trigger was raised on AInstance.
  void ApplyTrigger(TvgObject* AInstance, std::u16string_view ATrigger);

protected:
  // Its part in its parent's ApplyTriggerEffect.
  void ParentAppliesTriggerEffect(TvgObject* AInstance, std::u16string_view ATrigger) override {
    ApplyTrigger(AInstance, ATrigger);
  }

private:
  bool FEnabled = true;
  std::u16string FTrigger;
};

}  // namespace vd
