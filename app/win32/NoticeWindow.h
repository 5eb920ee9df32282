#pragma once
// The on-screen notice: a small per-pixel transparent window near the bottom of the screen
// that says what a press on the mouse just did, where the user looks (in a game or a call,
// not at the tray). It never takes the focus or the mouse, stays on top and is not on the
// task bar. It fades in, stays about 1.5 s, fades out and hides; a new notice while one shows
// takes its place and starts the time again. Whether it may show at all (the user's setting,
// an exclusive full-screen program or a presentation) is asked before it is made
// (NoticeWanted). Hidden, no timer runs, and its drawing side goes once no notice has come for
// 30 s, as the About window's does.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/Notice.h"
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

  // Created from its stored description, hidden.
  explicit TVDMonNotice(TComponent* AOwner);
  ~TVDMonNotice() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // Shows the text with the icon near the bottom of the monitor that holds the mouse pointer,
  // at that monitor's scale.
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
};

// What the shell says of the user's screen; nothing where the system cannot tell.
using TScreenStateQuery = std::function<std::optional<TScreenState>()>;
std::optional<TScreenState> SystemScreenState();
// Whether a notice may show now: the user has not turned notices off, and what owns the
// screen allows it (a state that cannot be told allows it).
bool NoticeWanted(const TScreenStateQuery& screenState);

// The monitor's notices: one window, made when a notice first may show.
class TMonitorNotices {
public:
  // What owns the screen is asked of the system, or of the query given.
  explicit TMonitorNotices(TScreenStateQuery screenState = {});
  void Show(const std::u16string& text, TVDMonNotice::TIcon icon);

private:
  TScreenStateQuery FScreenState;
  std::unique_ptr<TVDMonNotice> FNotice;
  bool FFailed = false;  // the window could not be made: there is none, and no second report
};

}  // namespace vd::win32
