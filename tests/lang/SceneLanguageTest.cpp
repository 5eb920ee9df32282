// The active language plugged into the scene toolkit: a change of language has every scene
// apply its styles again, upon which the controls that translate their texts show them in
// the language, and restoring the source texts brings them back.

#include "lang/SceneLanguage.h"

#include <gtest/gtest.h>

#include "lang/Translation.h"
#include "platform/memory/MemoryPlatform.h"
#include "scene/CustomScene.h"
#include "scene/controls/Text.h"
#include "scene/controls/TextControls.h"
#include "scene/layout/Containers.h"
#include "scene/style/StyleSet.h"

namespace vd {
namespace {

class SceneLanguageTest : public ::testing::Test {
protected:
  void TearDown() override { ReleaseTranslationState(); }

  platform::TMemoryPlatform FPlatform;
  const TvgSceneLanguage FLanguage;
  TComponent FOwner{nullptr};
  TvgCustomScene FScene{nullptr};
};

TEST_F(SceneLanguageTest, TheControlsOfEverySceneShowTheirTextsInTheActiveLanguage) {
  auto* styles = new TvgResources(&FOwner);
  styles->SetResourceText(
      u"object TvgLayout\n  object TvgRectangle\n    ResourceName = 'labelstyle'\n"
      u"    object TvgText\n      ResourceName = 'text'\n    end\n  end\nend\n");
  FScene.SetStyle(styles);
  auto* root = new TvgLayout(&FOwner);
  FScene.AddObject(root);
  auto* label = new TvgLabel(&FOwner);
  auto* plain = new TvgLabel(&FOwner);
  plain->SetAutoTranslate(false);
  for (TvgLabel* l : {label, plain}) {
    root->AddObject(l);
    l->SetText(u"About");
    l->ApplyResource();
  }

  TvgWideStringList table(true, true);
  table.Add(u"About=关于软件");
  ActivateLanguageTable(&table);
  EXPECT_EQ(label->Text(), u"关于软件");
  EXPECT_EQ(label->TextPart()->Text(), u"关于软件");
  EXPECT_EQ(plain->TextPart()->Text(), u"About");
  RestoreSourceTexts();
  EXPECT_EQ(label->TextPart()->Text(), u"About");
}

}  // namespace
}  // namespace vd
