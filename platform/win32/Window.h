#pragma once
// A window owned by an object: the object is stored with the window at WM_NCCREATE and
// every message goes to its virtual handler. Errors that escape a handler go to the window
// error handler; none crosses the window procedure.

#include <windows.h>

#include "platform/win32/Handles.h"

namespace vd::win32 {

// Called inside the catch block of an error that escaped a window's handler (it may rethrow
// to look at the error); the message then counts as handled with result 0. The program
// sets it to the application's error box; until it is set, the error's text goes to the
// debug output.
using TWindowErrorHandler = void (*)();
void SetWindowErrorHandler(TWindowErrorHandler handler);

class TWindowBase {
public:
  TWindowBase() = default;
  virtual ~TWindowBase();
  TWindowBase(const TWindowBase&) = delete;
  TWindowBase& operator=(const TWindowBase&) = delete;

  HWND Handle() const { return FHandle.Get(); }

protected:
  struct TCreateParams {
    const wchar_t* ClassName;
    HWND Parent = nullptr;  // HWND_MESSAGE for a message-only window
    const wchar_t* Caption = L"";
    DWORD Style = WS_POPUP;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HICON Icon = nullptr;
    UINT ClassStyle = 0;  // CS_DBLCLKS, say; set when the class is first registered
  };
  void CreateHandle(const TCreateParams& params);
  // Call from the destructor of the class that handles the messages, while it still exists.
  void DestroyHandle();
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  TUniqueWindow FHandle;
};

}  // namespace vd::win32
