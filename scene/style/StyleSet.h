#pragma once
// TvgResources, a style set: a tree of scene objects whose descendants carry style names
// in their ResourceName. It comes from its text form (Resource, or the file FileName) or
// from its stored object stream ("ResourcesBin"); whenever the tree is rebuilt, the scenes
// that use the style set apply their controls' styles again.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/WideStrings.h"
#include "core/Component.h"

namespace vd {

class IvgScene;
class TvgObject;

class TvgResources : public TComponent {
public:
  explicit TvgResources(TComponent* AOwner);
  ~TvgResources() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  // The style set in text form, one line per entry. Setting it copies the lines and
  // rebuilds the tree; a text that yields no object leaves the style set empty.
  const TvgWideStringList& Resource() const { return FResource; }
  void SetResource(const TvgWideStrings& value);
  std::u16string ResourceText() const { return FResource.Text(); }
  void SetResourceText(const std::u16string& value);
  // A text-form file, looked up in the program's folder first; once the component has
  // loaded, setting a new name loads it (a file found nowhere changes nothing).
  const std::u16string& FileName() const { return FFileName; }
  void SetFileName(const std::u16string& value);

  // The style set's root, or none.
  TvgObject* Root() const { return FRoot.get(); }
  // Writes the tree into Resource in text form, without rebuilding it.
  void FillStrings();

  // Scenes that use the style set, told of every rebuild in registration order.
  void AddSceneUpdater(IvgScene* AScene);
  void RemoveSceneUpdater(IvgScene* AScene);
  void UpdateScenes();

  void Loaded() override;

private:
  void ResourceChanged();
  void SetRoot(TvgObject* root);
  void LoadFile();
  void ReadResourcesBin(std::span<const std::uint8_t> bytes);
  std::optional<std::vector<std::uint8_t>> WriteResourcesBin() const;

  TvgWideStringList FResource;
  std::unique_ptr<TvgObject> FRoot;
  std::vector<IvgScene*> FSceneList;
  std::u16string FFileName;
};

}  // namespace vd
