#include "ui/win32/PopupMenu.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"

namespace vd::win32 {

const TClassInfo& TMenuItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TMenuItem>(u"TMenuItem", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .String(u"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                                     .Event(u"OnClick", &TMenuItem::OnClick)
                                     .Build();
  return info;
}

TComponent* TMenuItem::GetParentComponent() const { return FMenu; }

void TMenuItem::SetParentComponent(TComponent* AParent) {
  if (auto* menu = dynamic_cast<TPopupMenu*>(AParent)) menu->Add(this);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FMenu) FMenu = nullptr;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPopupMenu>(u"TPopupMenu", TComponent::StaticClassInfo()).Creatable().Build();
  return info;
}

void TPopupMenu::Add(TMenuItem* item) {
  if (std::find(FItems.begin(), FItems.end(), item) != FItems.end()) return;
  FItems.push_back(item);
  item->FMenu = this;
  item->FreeNotification(this);
}

void TPopupMenu::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent*) const {
  for (TMenuItem* item : FItems) proc(item);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  for (TMenuItem* item : FItems)
    if (item == AComponent) item->FMenu = nullptr;
  FItems.erase(std::remove(FItems.begin(), FItems.end(), AComponent), FItems.end());
}

void TPopupMenu::Popup(int x, int y, HWND window) {
  TUniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (std::size_t i = 0; i < FItems.size(); ++i) AppendMenuW(menu.Get(), MF_STRING, i + 1, W(FItems[i]->Caption()));
  const int chosen =
      TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
  // Lets the menu close properly when the user clicks elsewhere next time.
  PostMessageW(window, WM_NULL, 0, 0);
  if (chosen > 0 && static_cast<std::size_t>(chosen) <= FItems.size()) FItems[chosen - 1]->Click();
}

}  // namespace vd::win32
