#pragma once
// The toolkit's classes that streams create by name. Registered once, before the first
// stream of scene objects is read; the stream operations of TvgObject do it themselves.

namespace vd {

void RegisterSceneClasses();

}  // namespace vd
