#pragma once
// TvgControl: a visual object that takes its look from a style. The style is found by name
// (Resource, or the class's style name) in the scene's style set, the built-in default
// style set and every live style object (scene/style/ControlStyleLookup.cpp); a clone of it becomes the
// control's first child, painted under the other children, laid out over the whole
// control, locked and never stored with the control.

#include <string>
#include <string_view>
#include <vector>

#include "scene/layout/VisualObject.h"

namespace vd {

class TvgControl : public TvgVisualObject {
public:
  explicit TvgControl(TComponent* AOwner);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // The style's name; setting it applies the style at once unless the control is loading
  // or inside an update (then it is applied before the control is painted).
  const std::u16string& Resource() const { return FResource; }
  void SetResource(const std::u16string& value);
  // Whether the control's texts pass through the active translation when its style is
  // applied.
  bool AutoTranslate() const { return FAutoTranslate; }
  void SetAutoTranslate(bool value) { FAutoTranslate = value; }

  // A control that is not enabled, and everything in it, is passed over by the mouse.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool AbsoluteEnabled() const override;
  // A pending style is applied before the control takes the focus.
  void EnterFocus() override;

  // The applied style clone (also the first child), or none.
  TvgObject* ResourceLink() const { return FResourceLink; }

  // Searches the style clone first, then the children.
  TvgObject* FindResource(std::u16string_view AResource) const override;
  // The control itself, then the controls it holds.
  void AddControlsToList(std::vector<TvgControl*>& AList) override;
  // Updates the children, then applies the style again (not while loading or destroying).
  void UpdateResource() override;
  // Applies the style when one is pending: a new clone replaces the old one; a style found
  // nowhere leaves the control as it is.
  void ApplyResource();
  // A new clone of the control's style, owned by the control, or none.
  TvgObject* LookupResourceObject();
  // The style name of a class: its name without the first three characters, then "style"
  // (TvgButton: "Buttonstyle").
  static std::u16string ClassStyleName(const TClassInfo& info);

  void RemoveObject(TvgObject* AObject) override;

protected:
  // Run after a style was applied (controls pick named parts out of it), and before the
  // old clone is freed.
  virtual void AfterApplyResource() {}
  virtual void BeforeFreeResource() {}
  // Raises the triggers of the control's states once more after its style was applied, so
  // that the fresh style shows them ("IsFocused" when focused).
  virtual void RaiseStateTriggers();
  virtual bool DefaultAutoTranslate() const { return false; }
  void BeforePaint() override;
  bool KeepsResourcesToItself() const override { return true; }

private:
  bool IsAutoTranslateStored() const { return FAutoTranslate != DefaultAutoTranslate(); }
  // How many style clones the control lies in: styles that hold controls of their own
  // style would otherwise nest without end.
  int StyleDepth() const;

  TvgObject* FResourceLink = nullptr;
  bool FNeedResource = true;
  std::u16string FResource;
  bool FAutoTranslate = false;
  bool FEnabled = true;
};

}  // namespace vd
