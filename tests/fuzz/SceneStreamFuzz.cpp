// Scene trees and style sets come from files and stored forms: bytes that are no scene
// tree give no object, and text that is no style set leaves the style set empty, never a
// crash or a hang. What is read is laid out, resized, animated by a trigger, copied and
// used as a style.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "base/Errors.h"
#include "base/Strings.h"
#include "platform/memory/MemoryPlatform.h"
#include "scene/CustomScene.h"
#include "scene/controls/TextControls.h"
#include "scene/layout/VisualObject.h"
#include "scene/style/StyleSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vd;
  static platform::TMemoryPlatform platform;

  TMemoryStream bytes(std::span(data, size));
  if (std::unique_ptr<TvgObject> tree{CreateObjectFromBinStream(nullptr, bytes)}) {
    if (TvgVisualObject* visual = tree->Visual()) {
      visual->Realign();
      visual->SetSize(visual->Width() * 2, visual->Height() + 7);
      // Triggered animations run at once outside a scene (and no clock ticks here).
      visual->RaiseTrigger(u"IsMouseOver");
    }
    try {
      std::unique_ptr<TvgObject> copy(tree->Clone(nullptr));
    } catch (const Exception&) {
      // a name that streams cannot hold
    }
  }

  TvgResources styles(nullptr);
  TvgCustomScene scene(nullptr);
  TvgLabel label(nullptr);
  scene.SetStyle(&styles);
  scene.AddObject(&label);
  styles.SetResourceText(FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
  label.ApplyResource();
  platform.UI.FDebugOutput.clear();
  return 0;
}
