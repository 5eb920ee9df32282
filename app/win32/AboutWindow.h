#pragma once
// The About window: the monitor window's visible content, shown from the tray menu and hidden
// by its OK button; its web button opens the address it shows.

#include <functional>

namespace vd {
class TvgText;
}

namespace vd::win32 {

class TForm;

class TAboutWindow {
public:
  // `letMessagesRun` runs the messages that wait and then sleeps 50 ms.
  TAboutWindow(TForm& window, TvgText& webAddress, std::function<void()> letMessagesRun)
      : FWindow(window), FWebAddress(webAddress), FLetMessagesRun(std::move(letMessagesRun)) {}

  // Shows the window, lets it draw, and brings it to the foreground.
  void Show();
  void Hide();
  // Opens the address with the shell; whatever the shell makes of it (no browser, say) is not
  // the monitor's to report.
  void OpenWebAddress();

private:
  TForm& FWindow;
  TvgText& FWebAddress;
  std::function<void()> FLetMessagesRun;
};

}  // namespace vd::win32
