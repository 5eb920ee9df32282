// Program entry of the monitor: one instance per user logon, the hidden monitor window with
// its tray icon, and the message loop; or, with a switch, a command to the running monitor.

#include <windows.h>

#include <memory>

#include "app/CommandLine.h"
#include "app/SharedConstants.h"
#include "app/win32/MonitorCommands.h"
#include "app/win32/MonitorLog.h"
#include "app/win32/MonitorWindow.h"
#include "app/win32/SingleInstance.h"
#include "core/Application.h"
#include "lang/SceneLanguage.h"
#include "platform/win32/MainThreadDispatcher.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Window.h"
#include "profile/DataModule.h"
#include "scene/win32/Win32Clock.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace vd;
  platform::TWin32Platform system;
  // A switch hands a command to the running monitor; this process then ends.
  if (const TCommandLineRequest request = ParseCommandLine(win32::ProgramArguments());
      request.Kind != TCommandLineRequest::TKind::Start)
    return win32::RunCommandLine(request);
  win32::TSingleInstance instance;
  if (!instance.Acquire(MonMainClassName)) return 0;
  const win32::TMonitorLog log;

  Application().SetTitle(AppTitle);
  win32::SetWindowErrorHandler([] { Application().HandleException(); });
  // The scene toolkit's animations and timers run on it; it outlives every scene.
  const win32::TvgWin32Clock sceneClock;
  // The toolkit's controls show their texts in the active language.
  const TvgSceneLanguage sceneLanguage;
  // Loads the profile store; it reports its own errors and goes on as far as it got.
  const auto dataModule = std::make_unique<TDM>(nullptr);
  std::unique_ptr<win32::TVDMonMain> monitor;
  try {
    monitor = std::make_unique<win32::TVDMonMain>(nullptr, *dataModule);
  } catch (...) {
    Application().HandleException();
    return 1;
  }
  win32::RunMessageLoop();
  win32::TMainThreadDispatcher::Instance().ShutDown();

  instance.Release();
  monitor.reset();
  return 0;
}
