#include "app/win32/MonitorCommands.h"

#include <shellapi.h>

#include "app/SharedConstants.h"
#include "app/win32/MonitorWindow.h"
#include "platform/EventLog.h"
#include "platform/Platform.h"
#include "platform/win32/Handles.h"
#include "platform/win32/StringConversions.h"
#include "profile/FunctionTable.h"

namespace vd::win32 {

namespace {

// A monitor that does not answer within this time is hung; one that took "/exit" ends within
// the other.
constexpr UINT kAnswerTimeoutMs = 5000;
constexpr DWORD kExitTimeoutMs = 10000;

bool WaitUntilGone(HWND window, HANDLE process) {
  if (process) return WaitForSingleObject(process, kExitTimeoutMs) == WAIT_OBJECT_0;
  // A process this one may not wait for: its window going is the next best sign.
  for (DWORD waited = 0; waited < kExitTimeoutMs; waited += 50) {
    if (!IsWindow(window)) return true;
    Sleep(50);
  }
  return !IsWindow(window);
}

int SendCommand(TMonitorCommand command) {
  const HWND monitor = FindWindowW(W(MonMainClassName), nullptr);
  if (!monitor) return kCommandNoMonitor;
  DWORD processId = 0;
  GetWindowThreadProcessId(monitor, &processId);
  // Opened before the command goes, so that the wait is for that very process.
  const TUniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  auto payload = EncodeCommand(command);
  COPYDATASTRUCT data{kCommandDataId, static_cast<DWORD>(payload.size()), payload.data()};
  DWORD_PTR answer = FALSE;
  if (!SendMessageTimeoutW(monitor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &answer) ||
      answer != TRUE)
    return kCommandNoMonitor;
  if (command != TMonitorCommand::Exit) return kCommandDone;
  return WaitUntilGone(monitor, process.Get()) ? kCommandDone : kCommandMonitorStays;
}

}  // namespace

std::vector<std::u16string> ProgramArguments() {
  std::vector<std::u16string> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!list) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(U(list[i]));
  LocalFree(list);
  return arguments;
}

int RunCommandLine(const TCommandLineRequest& request) {
  switch (request.Kind) {
    case TCommandLineRequest::TKind::Help:
      platform::Platform().UI->ShowMessageBox(CommandLineHelp(), AppTitle, platform::MB_OK_FLAG);
      return kCommandDone;
    case TCommandLineRequest::TKind::Command:
      return SendCommand(request.Command);
    default:
      return kCommandUnknown;
  }
}

LRESULT ReceiveMonitorCommand(TVDMonMain& monitor, LPARAM lParam) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  const std::optional<TMonitorCommand> command =
      data ? DecodeCommand(data->dwData, data->lpData, data->cbData) : std::nullopt;
  if (!command) {
    platform::LogEvent(u"Refused a WM_COPYDATA that carries no command");
    return FALSE;
  }
  platform::LogEvent(u"Command: " + CommandSwitch(*command));
  // The sender goes on at once, and what the command does (calls into the audio system among
  // them) is not done inside another process's SendMessage.
  ReplyMessage(TRUE);
  switch (*command) {
    case TMonitorCommand::Exit:
      // A close request's path: the configurator gets no exit notice.
      PostMessageW(monitor.Handle(), WM_CLOSE, 0, 0);
      break;
    case TMonitorCommand::ToggleMute:
      monitor.DoButtonFunction(0, FunctionIndexMicrophoneMute, 0);
      break;
  }
  return TRUE;
}

}  // namespace vd::win32
