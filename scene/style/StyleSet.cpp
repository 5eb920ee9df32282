#include "scene/style/StyleSet.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Strings.h"
#include "core/ClassInfo.h"
#include "platform/Platform.h"
#include "scene/layout/VisualObject.h"
#include "scene/tree/SceneInterface.h"
#include "streams/MemoryStream.h"
#include "streams/TextObjectStream.h"

namespace vd {

namespace {

// Style sets are edited as a whole: nothing in them stays hidden at design time.
void ShowAtDesignTime(TvgObject& root) {
  std::vector<TvgObject*> objects;
  root.AddObjectsToList(objects);
  for (TvgObject* object : objects)
    if (TvgVisualObject* visual = object->Visual()) visual->SetDesignHide(false);
}

// A style set never holds another: one stored inside the tree being read stays empty, so
// that a stream cannot nest reads as deep as its length allows.
int gReadDepth = 0;

class TReadScope {
public:
  TReadScope() { ++gReadDepth; }
  ~TReadScope() { --gReadDepth; }
  TReadScope(const TReadScope&) = delete;
  TReadScope& operator=(const TReadScope&) = delete;
  static bool Nested() { return gReadDepth > 0; }
};

}  // namespace

TvgResources::TvgResources(TComponent* AOwner) : TComponent(AOwner) {}

TvgResources::~TvgResources() = default;

const TClassInfo& TvgResources::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TvgResources>(u"TvgResources", TComponent::StaticClassInfo())
          .Creatable()
          .String(u"Resource", &TvgResources::ResourceText, &TvgResources::SetResourceText)
          .Stored(false)
          .String(u"FileName", &TvgResources::FileName, &TvgResources::SetFileName)
          .Binary(u"ResourcesBin", &TvgResources::ReadResourcesBin, &TvgResources::WriteResourcesBin)
          .Build();
  return info;
}

void TvgResources::SetResource(const TvgWideStrings& value) {
  FResource.Clear();
  FResource.AddStrings(value);
  ResourceChanged();
}

void TvgResources::SetResourceText(const std::u16string& value) {
  FResource.SetText(value);
  ResourceChanged();
}

void TvgResources::SetRoot(TvgObject* root) {
  FRoot.reset(root);
  if (FRoot) ShowAtDesignTime(*FRoot);
}

void TvgResources::ResourceChanged() {
  FRoot.reset();
  const std::string text = ToUtf8(FResource.Text());
  if (!text.empty() && !TReadScope::Nested()) {
    const TReadScope scope;
    TMemoryStream stream(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    SetRoot(CreateObjectFromStream(nullptr, stream));
  }
  UpdateScenes();
}

void TvgResources::ReadResourcesBin(std::span<const std::uint8_t> bytes) {
  FRoot.reset();
  if (TReadScope::Nested()) throw EReadError(u"A style set cannot hold another");
  const TReadScope scope;
  TMemoryStream stream(bytes);
  SetRoot(CreateObjectFromBinStream(nullptr, stream));
  if (FRoot) UpdateScenes();
}

std::optional<std::vector<std::uint8_t>> TvgResources::WriteResourcesBin() const {
  if (!FRoot) return std::nullopt;
  TMemoryStream stream;
  FRoot->SaveToBinStream(stream);
  return stream.Bytes();
}

void TvgResources::SetFileName(const std::u16string& value) {
  if (value == FFileName) return;
  FFileName = value;
  if (!IsLoading()) LoadFile();
}

void TvgResources::Loaded() {
  TComponent::Loaded();
  if (!FFileName.empty()) LoadFile();
}

void TvgResources::LoadFile() {
  platform::IFileSystem* files = platform::Platform().Files;
  if (!files || FFileName.empty()) return;
  std::u16string path = files->ProgramFolder() + FFileName;
  if (!files->FileExists(path)) path = FFileName;
  platform::TBytes bytes;
  if (!files->FileExists(path) || files->ReadFile(path, bytes) != 0) return;
  SetResourceText(FromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

void TvgResources::FillStrings() {
  if (!FRoot) return;
  TMemoryStream stream;
  FRoot->SaveToStream(stream);
  const std::vector<std::uint8_t>& text = stream.Bytes();
  FResource.SetText(FromUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size())));
}

void TvgResources::AddSceneUpdater(IvgScene* AScene) {
  if (AScene && std::find(FSceneList.begin(), FSceneList.end(), AScene) == FSceneList.end())
    FSceneList.push_back(AScene);
}

void TvgResources::RemoveSceneUpdater(IvgScene* AScene) { std::erase(FSceneList, AScene); }

void TvgResources::UpdateScenes() {
  // A scene may leave the list while it updates.
  const std::vector<IvgScene*> scenes = FSceneList;
  for (IvgScene* scene : scenes)
    if (std::find(FSceneList.begin(), FSceneList.end(), scene) != FSceneList.end()) scene->UpdateResource();
}

}  // namespace vd
