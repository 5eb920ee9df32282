#pragma once
// The on-screen notice: a small per-pixel transparent window near the bottom of the screen
// that says what a press on the mouse just did, where the user looks (in a game or a call,
// not at the tray). It never takes the focus or the mouse, stays on top and is not on the
// task bar. It fades in, stays about 1.5 s, fades out and hides; a new notice while one shows
// takes its place and starts the time again. Nothing shows while the user has turned notices
// off, or while a full-screen program or a presentation owns the screen. Hidden, it costs
// nothing: no timer runs and nothing drawn is kept.

#include <functional>
#include <string>

#include "scene/animation/Animations.h"
#include "scene/controls/Background.h"
#include "scene/controls/Image.h"
#include "scene/controls/Text.h"
#include "scene/win32/SceneWindow.h"
#include "ui/win32/Form.h"

namespace vd::win32 {

class TVDMonNotice : public TForm {
public:
  enum class TIcon { Profile, MicrophoneMuted, MicrophoneOn };
  // Whether a full-screen program or a presentation owns the screen.
  using TScreenBusyQuery = std::function<bool()>;

  // Created from its stored description, hidden. The query is the system's unless given.
  explicit TVDMonNotice(TComponent* AOwner, TScreenBusyQuery screenBusy = {});
  ~TVDMonNotice() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Shows the text with the icon near the bottom of the monitor that holds the mouse pointer.
  void ShowNotice(const std::u16string& text, TIcon icon);

  // Handler of the stored description: the fade-out has ended.
  void FadeOutFinish(TComponent* Sender);

  // Components of the stored description.
  TvgScene* vgSceneNotice = nullptr;
  TvgBackground* NoticeRoot = nullptr;
  TvgImage* NoticePanel = nullptr;
  TvgImage* IconProfile = nullptr;
  TvgImage* IconMicrophoneMuted = nullptr;
  TvgImage* IconMicrophoneOn = nullptr;
  TvgText* NoticeText = nullptr;
  TvgFloatAnimation* FadeIn = nullptr;
  TvgFloatAnimation* FadeOut = nullptr;

protected:
  // Topmost, off the task bar, never activated, and transparent to the mouse.
  void CreateParams(TCreateParams& params) override;

private:
  void PlaceUnderPointer();

  TScreenBusyQuery FScreenBusy;
};

// What the system says of the screen: busy, a Direct3D full-screen program, or presentation
// mode; where the system does not tell, a window of another program in the foreground that
// covers its whole monitor.
bool ScreenOwnedByFullScreenProgram();

}  // namespace vd::win32
