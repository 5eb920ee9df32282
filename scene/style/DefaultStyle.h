#pragma once
// The built-in default style set: an object stream embedded in the program as the data
// resource "defaultvgstyle" (compiled from forms/defaultvgstyle.form), read on first need
// and kept until the process ends. Main thread only.

#include <string_view>

namespace vd {

class TvgObject;

constexpr std::u16string_view kDefaultStyleResource = u"defaultvgstyle";

// The default style set's root, or none while it is not read.
TvgObject* DefaultStyleRoot();
// Reads the default style set unless it is read (a resource that yields no object is not
// read again); answers the root, or none without a usable resource.
TvgObject* ReadDefaultStyleRoot();
// Frees the default style set; the next need reads it again. For the toolkit's shutdown.
void ReleaseDefaultStyleRoot();

}  // namespace vd
