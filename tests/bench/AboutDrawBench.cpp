// The About window's drawing pass against one GDI+ draw of its background picture into the
// same buffer: what the whole scene (clearing, the picture, the buttons, the texts, the
// style parts) costs next to the one draw that it cannot do without. The picture is drawn
// as GDI+ draws it, resampled from the whole 1667 x 1327 picture into its place (half a
// pixel off the pixel grid, so that the canvas draws it directly); the pass itself draws it
// from the copy that the canvas scaled once, which is shown too. The monitor window is created from its stored
// description as the program creates it; the buffer's hand-over to the screen is left out (UpdateLayeredWindow is
// replaced by nothing), since that copies pixels whatever was drawn. Medians of many passes,
// each timed alone.
//
// Option: --passes N (timed passes of each kind, 200).

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "app/win32/MonitorWindow.h"
#include "lang/SceneLanguage.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Win32Platform.h"
#include "profile/DataModule.h"
#include "scene/paint/Geometry.h"
#include "scene/win32/LayeredWindow.h"
#include "scene/win32/Win32Clock.h"

namespace vd::win32 {
namespace {

constexpr int kWarmUpPasses = 10;

BOOL WINAPI NoLayeredUpdate(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD) { return TRUE; }

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

template <class TWork>
double MedianMs(int passes, TWork&& work) {
  for (int i = 0; i < kWarmUpPasses; ++i) work();
  std::vector<double> times;
  for (int i = 0; i < passes; ++i) {
    const double start = Now();
    work();
    times.push_back((Now() - start) * 1000);
  }
  std::nth_element(times.begin(), times.begin() + passes / 2, times.end());
  return times[passes / 2];
}

int Run(int passes) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  platform::TWin32Platform system;
  const TvgWin32Clock clock;
  const TvgSceneLanguage language;
  ReplaceUpdateLayeredWindowFunction(&NoLayeredUpdate);
  TDM dataModule(nullptr);
  TVDMonMain monitor(nullptr, dataModule);
  ProcessMessages();

  TvgScene& scene = *monitor.vgScene1;
  scene.UpdateBuffer();  // the drawing side, as the window's first show makes it
  TvgGdiPlusCanvas& canvas = *scene.Canvas();
  const TvgBitmap& background = *monitor.ImageMain->Bitmap();
  const TvgRect source{0, 0, static_cast<float>(background.Width()), static_cast<float>(background.Height())};
  TvgRect destination = source;
  FitRect(destination, monitor.ImageMain->LocalRect());

  const double pass = MedianMs(passes, [&] { scene.UpdateBuffer(); });
  const auto drawPicture = [&](const TvgRect& where) {
    return [&canvas, &background, source, where] {
      canvas.BeginScene();
      canvas.DrawBitmap(background, source, where, 1, true);
      canvas.EndScene();
    };
  };
  const TvgRect offGrid{destination.Left + 0.5f, destination.Top + 0.5f, destination.Right + 0.5f,
                        destination.Bottom + 0.5f};
  const double picture = MedianMs(passes, drawPicture(offGrid));
  const double copy = MedianMs(passes, drawPicture(destination));
  std::printf("About window (%d x %d), medians of %d passes of each:\n", scene.Width(), scene.Height(), passes);
  std::printf("one drawing pass of the whole scene:            %8.3f ms\n", pass);
  std::printf("one GDI+ draw of the background picture\n");
  std::printf("  (%d x %d into %.0f x %.0f):                %8.3f ms\n", background.Width(), background.Height(),
              destination.Width(), destination.Height(), picture);
  std::printf("ratio pass / picture:                           %8.2f\n", pass / picture);
  std::printf("(the pass draws the picture from its scaled copy: %.3f ms)\n", copy);
  return 0;
}

}  // namespace
}  // namespace vd::win32

int wmain(int argc, wchar_t** argv) {
  int passes = 200;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], L"--passes") == 0) passes = std::max(1, _wtoi(argv[++i]));
  return vd::win32::Run(passes);
}
