#pragma once
// The popup menu and its items. Items are components of the form; the menu lists them in
// order and builds the system menu each time it opens, so captions set since show up.

#include <string>
#include <vector>

#include "core/Component.h"
#include "core/Event.h"

namespace vd::win32 {

class TMenuItem : public TComponent {
public:
  using TComponent::TComponent;
  std::u16string_view ClassName() const override { return u"TMenuItem"; }

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(const std::u16string& value) { FCaption = value; }
  TNotifyEvent OnClick;

  void Click() { OnClick(this); }

private:
  std::u16string FCaption;
};

class TPopupMenu : public TComponent {
public:
  using TComponent::TComponent;
  std::u16string_view ClassName() const override { return u"TPopupMenu"; }

  void Add(TMenuItem* item);
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }

  // Opens the menu at a screen position, owned by `owner`, and runs the chosen item's
  // click handler once the menu has closed.
  void Popup(int x, int y, void* owner);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::vector<TMenuItem*> FItems;
};

}  // namespace vd::win32
