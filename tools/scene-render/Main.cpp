// scene-render: draws the scene of a stored form to a PNG on the build machine.
//
//   scene-render FORM OUT.png [--state normal|hot|pressed] [--language NAME] [--button NAME]
//                [--scale S] [--set NAME.PROPERTY=VALUE]... [-I DIR]... [--font FILE]...
//
// --scale draws the scene as a screen of 96 × S DPI shows it (1.25, 1.5, 2, ...; 1 to 4).
//
// --set gives a component of the form a value as the program would before showing it, in
// the text form's syntax: --set "NoticeText.Text='Profile 5'" --set NoticeRoot.Opacity=1.
//
// The built-in default style set (defaultvgstyle.form) and the readable dictionaries
// (ks.local.dict, then Monitor.dict) are read from the form's folder; includes are looked
// for beside the form, in each -I folder, then among the build's compiled forms. Without
// --font the text is drawn with the fonts the tests use (Wine's Tahoma and the CJK font the
// prerequisites install), not with the machine's.

#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/Strings.h"
#include "tools/scene-render/CairoRender.h"

namespace {

namespace fs = std::filesystem;
using namespace vd;

int Usage() {
  std::cerr << "usage: scene-render FORM OUT.png [--state normal|hot|pressed] [--language NAME] [--button NAME]\n"
               "                    [--scale S] [--set NAME.PROPERTY=VALUE]... [-I DIR]... [--font FILE]...\n";
  return 2;
}

// A scale from 1 to 4, written as a plain decimal number; nothing for anything else.
std::optional<float> ParseScale(const std::string& text) {
  float scale = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size() || !(scale >= 1 && scale <= 4)) return std::nullopt;
  return scale;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2) return Usage();
  TvgRenderRequest request;
  request.Form = args[0];
  const fs::path out = args[1];
  std::vector<std::string> fonts;
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Usage();
    const std::string& option = args[i];
    const std::string& value = args[i + 1];
    if (option == "--state" && value == "normal")
      request.State = TvgRenderState::Normal;
    else if (option == "--state" && value == "hot")
      request.State = TvgRenderState::Hot;
    else if (option == "--state" && value == "pressed")
      request.State = TvgRenderState::Pressed;
    else if (option == "--language")
      request.Language = FromUtf8(value);
    else if (option == "--button")
      request.Button = FromUtf8(value);
    else if (const std::optional<float> scale = option == "--scale" ? ParseScale(value) : std::nullopt)
      request.Scale = *scale;
    else if (option == "-I")
      request.IncludeDirs.emplace_back(value);
    else if (option == "--font")
      fonts.push_back(value);
    else if (const std::size_t dot = value.find('.'); option == "--set" && dot != std::string::npos)
      request.Settings.emplace_back(FromUtf8(value.substr(0, dot)), FromUtf8(value.substr(dot + 1)));
    else
      return Usage();
  }
  request.IncludeDirs.push_back(BuiltFormsFolder());
  const fs::path folder = request.Form.parent_path();
  for (const char* name : {"ks.local.dict", "Monitor.dict"})
    if (fs::exists(folder / name)) request.Dictionaries.push_back(folder / name);
  if (fonts.empty()) fonts = SceneFontFiles();

  try {
    const cairo::TvgCairoFonts fontMap(fonts);
    RenderWithCairo(request, folder / "defaultvgstyle.form", fontMap).Canvas->WritePng(out.string());
  } catch (const Exception& error) {
    std::cerr << "scene-render: " << ToUtf8(error.Message()) << "\n";
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "scene-render: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
