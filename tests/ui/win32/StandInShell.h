#pragma once
// A stand-in for the shell's notification area, put in place of Shell_NotifyIcon while it lives.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <functional>
#include <map>
#include <string>

#include "ui/win32/TrayIcon.h"

namespace vd::win32 {

// Stands in for the shell's notification area while it lives: keeps the icons it was given
// with their hints, refuses every call while it is not ready, and counts the calls.
class TStandInShell {
public:
  TStandInShell() : FReplaced(ReplaceShellNotifyIconFunction(&Call)) { State() = {}; }
  ~TStandInShell() { ReplaceShellNotifyIconFunction(FReplaced); }
  TStandInShell(const TStandInShell&) = delete;
  TStandInShell& operator=(const TStandInShell&) = delete;

  struct TState {
    bool Ready = true;
    bool AddsTimeOut = false;            // an add is taken but reported refused, as at a busy logon
    std::map<HWND, std::wstring> Icons;  // one icon a window, and its hint
    std::map<HWND, HICON> Pictures;      // and its picture
    std::map<DWORD, int> Calls;          // by message
    HWND LastWindow = nullptr;
    std::function<void(DWORD message)> OnCall;  // told of each call before it is answered
  };
  static TState& State() {
    static TState state;
    return state;
  }
  static int Calls(DWORD message) { return State().Calls[message]; }
  static bool Shows(const std::wstring& hint) {
    const auto& icons = State().Icons;
    return icons.size() == 1 && icons.begin()->second == hint;
  }

private:
  static BOOL WINAPI Call(DWORD message, NOTIFYICONDATAW* data) {
    TState& state = State();
    if (state.OnCall) state.OnCall(message);
    ++state.Calls[message];
    state.LastWindow = data->hWnd;
    if (!state.Ready) return FALSE;
    const bool shown = state.Icons.contains(data->hWnd);
    switch (message) {
      case NIM_ADD:
      case NIM_MODIFY:
        if (shown != (message == NIM_MODIFY)) return FALSE;
        state.Icons[data->hWnd] = data->szTip;
        state.Pictures[data->hWnd] = data->hIcon;
        return message == NIM_MODIFY || !state.AddsTimeOut;
      case NIM_DELETE:
        return state.Icons.erase(data->hWnd) != 0;
    }
    return FALSE;
  }
  TShellNotifyIcon FReplaced;
};

}  // namespace vd::win32
