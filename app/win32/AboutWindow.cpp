#include "app/win32/AboutWindow.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/StringConversions.h"
#include "scene/controls/Text.h"
#include "ui/win32/Form.h"

namespace vd::win32 {

void TAboutWindow::Show() {
  FWindow.Show();
  FLetMessagesRun();
  SetForegroundWindow(FWindow.Handle());
}

void TAboutWindow::Hide() { FWindow.Hide(); }

void TAboutWindow::OpenWebAddress() {
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.hwnd = FWindow.Handle();
  execute.lpVerb = L"open";
  execute.lpFile = W(FWebAddress.Text());
  execute.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&execute);
}

}  // namespace vd::win32
