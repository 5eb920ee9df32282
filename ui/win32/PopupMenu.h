#pragma once
// The popup menu and its items. Items are components of the form, nested in the menu in
// stored descriptions; the menu lists them in order and builds the system menu each time it
// opens, so captions set since show up. Accelerators are never added automatically.

#include <windows.h>

#include <string>
#include <vector>

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"

namespace vd::win32 {

class TPopupMenu;

// Published: Caption, OnClick.
class TMenuItem : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  const std::u16string& Caption() const { return FCaption; }
  void SetCaption(const std::u16string& value) { FCaption = value; }
  TNotifyEvent OnClick;
  void Click() { OnClick(this); }

  TComponent* GetParentComponent() const override;
  // Nested in a menu: the item becomes the menu's next item.
  void SetParentComponent(TComponent* AParent) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TPopupMenu;
  std::u16string FCaption;
  TPopupMenu* FMenu = nullptr;
};

class TPopupMenu : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  void Add(TMenuItem* item);
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }

  // Opens the menu at a screen position, owned by `window`, and runs the chosen item's
  // click handler once the menu has closed.
  void Popup(int x, int y, HWND window);

  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::vector<TMenuItem*> FItems;
};

}  // namespace vd::win32
