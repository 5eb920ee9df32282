#pragma once
// The font family that shows a text: the one asked for when it has a glyph for every
// character, otherwise one that does. GDI+ draws what its font lacks as boxes, without the
// font linking of the system's own text drawing on every system (Wine has none), so Chinese
// in a Latin font needs a family of its own.

#include <string>
#include <string_view>

namespace vd::win32 {

// The family asked for when it shows the whole text, or no family does; otherwise the first
// that does among those the system's font mapper offers for the Chinese, Japanese and Korean
// character sets and for any. Remembered per family and text. Main thread only.
std::u16string FontFamilyFor(const std::u16string& family, std::u16string_view text);

}  // namespace vd::win32
