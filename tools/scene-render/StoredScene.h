#pragma once
// Draws the scene of a stored form (its text form, as in forms/) on a canvas: the form's
// first toolkit scene, laid out at its stored size, styled by the style sets the form
// holds and the built-in default style set, with the texts in a chosen language, and with
// the mouse over or pressing a button for the hot and pressed pictures, at a screen's scale
// (the picture `scale` times the stored size, as a window on a screen of 96 × scale DPI
// shows it). The window
// components around the scene (tray icon, menus, timers, the device components) are not
// made. Animations run to their end before the picture is taken. The built-in default style
// set is the platform's resource, as in the program.

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "scene/Canvas.h"

namespace vd {

enum class TvgRenderState { Normal, Hot, Pressed };

struct TvgRenderRequest {
  std::filesystem::path Form;
  // Where includes are looked for after the form's folder.
  std::vector<std::filesystem::path> IncludeDirs;
  // Readable dictionaries, the first of a language's name winning; unused without a language.
  std::vector<std::filesystem::path> Dictionaries;
  // The language's name (US, CH, TW); empty for the stored texts.
  std::u16string Language;
  TvgRenderState State = TvgRenderState::Normal;
  // Pixels to one unit of the form: 1.5 draws the scene as a screen of 144 DPI shows it.
  float Scale = 1;
  // The button that the mouse is over or pressing in the hot and pressed states.
  std::u16string Button = u"BtnOK";
  // Properties set after the form is read, as the program sets them before it shows the
  // scene: a component's name and a property assignment in the text form's syntax
  // ({u"NoticeText", u"Text = 'Profile 5'"}).
  std::vector<std::pair<std::u16string, std::u16string>> Settings;
};

// The canvas for a scene of that size, kept by the caller.
using TvgCanvasForSize = std::function<IvgCanvas&(int width, int height)>;

// Answers where the drawing has text: the rectangles of its visible text objects, in the
// picture's pixels.
// Raises std::runtime_error (or the toolkit's Exception) naming what is wrong: a form that
// cannot be read or holds no scene, a value of its scene or style sets that cannot be
// applied (every error of the read), an unknown language, a missing button.
std::vector<TvgRect> DrawStoredScene(const TvgRenderRequest& request, const TvgCanvasForSize& canvasForSize);

// A text form compiled as the build compiles it, its includes looked for beside it, then in
// the folders; raises std::runtime_error naming the form and what is wrong.
std::vector<std::uint8_t> CompiledForm(const std::filesystem::path& form,
                                       const std::vector<std::filesystem::path>& includeDirs);

}  // namespace vd
