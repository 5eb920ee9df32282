#include "tools/scene-render/StoredScene.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "base/Strings.h"
#include "core/ClassInfo.h"
#include "core/ClassRegistry.h"
#include "core/ComponentReader.h"
#include "lang/Dictionary.h"
#include "lang/SceneLanguage.h"
#include "lang/Translation.h"
#include "scene/CustomScene.h"
#include "scene/ManualClock.h"
#include "scene/SceneClasses.h"
#include "scene/controls/Text.h"
#include "scene/layout/VisualObject.h"
#include "scene/paint/Scale.h"
#include "scene/style/DefaultStyle.h"
#include "streams/BinaryObjectStream.h"
#include "tools/dictc/DictionarySource.h"
#include "tools/formc/FormIncludes.h"

namespace vd {

namespace {

namespace fs = std::filesystem;

// The scene under the class name that stored forms give it, in no window.
class TRenderScene : public TvgCustomScene {
public:
  using TvgCustomScene::TvgCustomScene;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TRenderScene>(u"TvgScene", TvgCustomScene::StaticClassInfo()).Creatable().Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
};

// A form that holds the scene while the host lives: damage becomes the next pass's, the
// rest goes nowhere.
class TRenderHost : public IvgSceneHost {
public:
  explicit TRenderHost(TvgCustomScene& scene) : FScene(scene) { FScene.SetHost(this); }
  ~TRenderHost() { FScene.SetHost(nullptr); }
  TRenderHost(const TRenderHost&) = delete;
  TRenderHost& operator=(const TRenderHost&) = delete;
  void AddUpdateRect(const TvgRect& rect) override {
    if (const std::optional<TvgPixelRect> pixels = FScene.DamageInPixels(rect)) FScene.AddPendingRect(*pixels);
  }
  void SetCapture() override {}
  void ReleaseCapture() override {}
  void TakeFocus() override {}
  void SetCursor(TvgCursor) override {}
  bool ParentIsForm() override { return true; }
  std::int32_t FormTag() override { return 0; }
  TvgPixelRect FormBounds() override {
    const TvgPixelRect pixels = FScene.PixelBounds();
    return {0, 0, pixels.Width(), pixels.Height()};
  }
  void SetFormBounds(const TvgPixelRect&) override {}
  void SetModalResult(std::int32_t) override {}

private:
  TvgCustomScene& FScene;
};

std::string ReadFile(const fs::path& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) throw std::runtime_error("cannot read " + path.string());
  return text;
}

// Has every scene show its texts in the language.
void SelectLanguage(TvgLang& dictionary, const TvgRenderRequest& request) {
  for (const fs::path& file : request.Dictionaries) {
    const TDictionaryContent content = ParseDictionarySource(ReadFile(file), FromUtf8(file.string()));
    dictionary.ReadDictionaryStream(WriteDictionaryStream(content), FromUtf8(file.string()));
  }
  const TvgWideStringList* table = dictionary.LanguageTable(request.Language);
  if (!table) throw std::runtime_error("no dictionary has the language " + ToUtf8(request.Language));
  ActivateLanguageTable(table);
}

TvgCustomScene* FirstScene(const TComponent& root) {
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (auto* scene = dynamic_cast<TvgCustomScene*>(root.Components(i))) return scene;
  return nullptr;
}

// Puts the mouse over the button's centre, pressing it in the pressed state.
void PointAt(TvgCustomScene& scene, const TComponent& root, const TvgRenderRequest& request) {
  auto* button = dynamic_cast<TvgVisualObject*>(root.FindComponent(request.Button));
  if (!button) throw std::runtime_error("the form has no button " + ToUtf8(request.Button));
  const TvgRect rect = ScaledRect(button->AbsoluteRect(), scene.Scale());
  const float x = (rect.Left + rect.Right) / 2, y = (rect.Top + rect.Bottom) / 2;
  scene.MouseMove({}, x, y);
  if (request.State == TvgRenderState::Pressed) scene.MouseDown(mbLeft, ssLeft, x, y);
}

// Reads each assignment into its component as a stored form of its own.
void ApplySettings(const TComponent& root, const TvgRenderRequest& request) {
  for (const auto& [name, assignment] : request.Settings) {
    TComponent* component = root.FindComponent(name);
    if (!component) throw std::runtime_error("the form has no component " + ToUtf8(name));
    const std::string text = "object " + ToUtf8(name) + ": TComponent\n  " + ToUtf8(assignment) + "\nend\n";
    std::vector<std::u16string> errors;
    try {
      errors = ReadComponent(*component, ParseTextForm(text));
    } catch (const Exception& error) {
      errors.push_back(error.Message());
    }
    if (!errors.empty()) throw std::runtime_error(ToUtf8(name + u"." + assignment) + ": " + ToUtf8(errors.front()));
  }
}

void CollectTexts(const TvgObject& object, float scale, std::vector<TvgRect>& rects) {
  const TvgVisualObject* visual = object.Visual();
  if (visual && !visual->Visible()) return;
  if (dynamic_cast<const TvgText*>(&object)) rects.push_back(ScaledRect(visual->AbsoluteRect(), scale));
  for (int i = 0; i < object.ChildrenCount(); ++i) CollectTexts(*object.Children(i), scale, rects);
}

// Drops the handlers that the object and its nested objects bind: their code is not here.
void WithoutHandlers(TStreamObject& object) {
  if (const TClassInfo* info = FindComponentClass(FromShortString(object.ClassName)))
    std::erase_if(object.Properties, [info](const TStreamProperty& stored) {
      const TPropInfo* property = info->FindProperty(FromShortString(stored.Name));
      return property && property->Kind == TPropKind::Event;
    });
  for (TStreamObject& child : object.Children) WithoutHandlers(child);
}

// What of the form the picture is made of: its scenes and style sets, without handlers. The
// form's own properties and its window components, whose classes are not known here, are
// left out.
TStreamObject PictureParts(TStreamObject form) {
  form.Properties.clear();
  std::erase_if(form.Children,
                [](const TStreamObject& child) { return !FindComponentClass(FromShortString(child.ClassName)); });
  for (TStreamObject& child : form.Children) WithoutHandlers(child);
  return form;
}

// The process-wide toolkit state that one drawing sets up, released when it ends.
struct TToolkitState {
  TToolkitState() {
    RegisterSceneClasses();
    RegisterComponentClass(TRenderScene::StaticClassInfo());
  }
  ~TToolkitState() {
    ReleaseTranslationState();
    ReleaseDefaultStyleRoot();
  }
  TvgManualClock Clock;
  const TvgSceneLanguage Language;
};

// Long enough for any of the toolkit's trigger animations to end.
constexpr std::uint32_t kSettleMs = 10000;

}  // namespace

std::vector<std::uint8_t> CompiledForm(const fs::path& form, const std::vector<fs::path>& includeDirs) {
  try {
    return ObjectTextToBinary(ReadFile(form), FormIncludes(form, includeDirs));
  } catch (const Exception& error) {
    throw std::runtime_error(form.string() + ": " + ToUtf8(error.Message()));
  }
}

std::vector<TvgRect> DrawStoredScene(const TvgRenderRequest& request, const TvgCanvasForSize& canvasForSize) {
  TToolkitState toolkit;
  const std::vector<std::uint8_t> form = CompiledForm(request.Form, request.IncludeDirs);

  TvgLang dictionary(nullptr);
  TComponent root(nullptr);
  // What is left of the form reads without an error, or the picture would not be the form's.
  const std::vector<std::u16string> errors = ReadComponent(root, PictureParts(ReadObjectStream(form)));
  if (!errors.empty()) {
    std::string text = request.Form.string() + " cannot be drawn as stored:";
    for (const std::u16string& error : errors) text += "\n  " + ToUtf8(error);
    throw std::runtime_error(text);
  }
  TvgCustomScene* scene = FirstScene(root);
  if (!scene) throw std::runtime_error(request.Form.string() + " holds no scene");
  const TRenderHost host(*scene);
  if (!(request.Scale > 0) || !std::isfinite(request.Scale))
    throw std::runtime_error("the scale must be a positive number");
  scene->SetScale(request.Scale);
  if (!request.Language.empty()) SelectLanguage(dictionary, request);
  ApplySettings(root, request);
  if (TvgObject* first = scene->GetRoot())
    if (TvgVisualObject* visual = first->Visual()) visual->Realign();
  if (request.State != TvgRenderState::Normal) PointAt(*scene, root, request);
  toolkit.Clock.Advance(kSettleMs);

  const TvgPixelRect pixels = scene->PixelBounds();
  IvgCanvas& canvas = canvasForSize(pixels.Width(), pixels.Height());
  scene->AddPendingRect({0, 0, pixels.Width(), pixels.Height()});
  scene->PaintScene(canvas);
  std::vector<TvgRect> texts;
  if (const TvgObject* first = scene->GetRoot()) CollectTexts(*first, scene->Scale(), texts);
  return texts;
}

}  // namespace vd
