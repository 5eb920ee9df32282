#include "platform/win32/MessageLoop.h"

#include <windows.h>

namespace vd::win32 {

namespace {
bool gTerminated = false;

void Dispatch(MSG& message) {
  TranslateMessage(&message);
  DispatchMessageW(&message);
}
}  // namespace

void RunMessageLoop() {
  MSG message;
  while (!gTerminated) {
    const BOOL result = GetMessageW(&message, nullptr, 0, 0);
    if (result == 0 || result == -1) break;
    Dispatch(message);
  }
  gTerminated = true;
}

void TerminateApplication() {
  gTerminated = true;
  PostQuitMessage(0);
}

void ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      gTerminated = true;
      break;
    }
    Dispatch(message);
  }
}

}  // namespace vd::win32
