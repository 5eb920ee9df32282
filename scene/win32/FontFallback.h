#pragma once
// The font family that shows a text: the one asked for when it is installed and has a glyph
// for every character, otherwise one that does. GDI+ draws what its font lacks as boxes,
// without the font linking of the system's own text drawing on every system (Wine has none),
// so Chinese in a Latin font needs a family of its own; and it draws nothing with a family
// that is not installed when its own generic family is missing as well.

#include <cstddef>
#include <string>
#include <string_view>

namespace vd::win32 {

// The family asked for, or the system's sans-serif family (the font mapper's face for a
// sans-serif font) when the one asked for has no outline face installed; that family when it
// shows the whole text, or no family does; otherwise the first that does among those the
// font mapper offers for the Chinese, Japanese and Korean character sets and for any.
// Remembered per family and text, at most kMostRememberedFontFamilies choices at a time
// (with that many, all are forgotten before the next). Main thread only.
std::u16string FontFamilyFor(const std::u16string& family, std::u16string_view text);

constexpr std::size_t kMostRememberedFontFamilies = 64;
// How many choices are remembered now.
std::size_t RememberedFontFamilies();

}  // namespace vd::win32
