// Styles: where a control finds its style, how the style is applied, the built-in default
// style set, style sets and their scenes, texts written into styles, and painting through
// the canvas. (Their translation: tests/lang/SceneLanguageTest.cpp.)

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ComponentReader.h"
#include "core/ComponentWriter.h"
#include "platform/memory/MemoryPlatform.h"
#include "scene/CustomScene.h"
#include "scene/controls/Background.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Shapes.h"
#include "scene/controls/Text.h"
#include "scene/layout/Containers.h"
#include "scene/style/DefaultStyle.h"
#include "scene/style/StyleSet.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::Load;
using scene_test::TStandInHost;

// A label of a class of its own: no style carries its class's name.
class TvgTestLabel : public TvgLabel {
public:
  using TvgLabel::TvgLabel;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TvgTestLabel>(u"TvgTestLabel", TvgLabel::StaticClassInfo()).Creatable().Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
};

class TRecordingCanvas : public IvgCanvas {
public:
  bool BeginScene() override { return true; }
  void EndScene() override {}
  void ClipToRects(std::span<const TvgPixelRect>) override {}
  void ClearRect(const TvgPixelRect&, TvgColor) override {}
  void SetMatrix(const TvgMatrix& matrix) override { FMatrix = matrix; }
  void SaveState() override {}
  void RestoreState() override {}
  void IntersectClipRect(const TvgRect&) override {}
  void FillRect(const TvgRect&, TvgColor color, float) override { Log(u"rect " + ColorToStr(color)); }
  void DrawRect(const TvgRect&, TvgColor, float, TvgStrokeDash, float) override {}
  void DrawBitmap(const TvgBitmap&, const TvgRect&, const TvgRect&, float, bool) override {}
  void FillText(const TvgRect&, std::u16string_view text, const TvgTextFormat&, TvgColor color, float) override {
    Log(u"text " + std::u16string(text) + u" " + ColorToStr(color));
  }

  std::vector<std::u16string> FCalls;

private:
  void Log(const std::u16string& call) {
    FCalls.push_back(call + u" at " + std::u16string(1, static_cast<char16_t>(u'0' + FMatrix.M31 / 10)));
  }
  TvgMatrix FMatrix;
};

// A style set holding the About window's button style, a label style of its own and a
// style that holds a control.
constexpr const char* kStyleSet =
    "object TvgLayout\n"
    "  object TvgLayout\n    ResourceName = 'MyStateBtn'\n"
    "    object TvgText\n      ResourceName = 'text'\n      Align = vaClient\n    end\n  end\n"
    "  object TvgRectangle\n    ResourceName = 'labelstyle'\n"
    "    object TvgText\n      ResourceName = 'text'\n    end\n  end\n"
    "  object TvgLayout\n    ResourceName = 'holder'\n"
    "    object TvgLabel\n      ResourceName = 'inner'\n"
    "      object TvgText\n        ResourceName = 'deep'\n      end\n    end\n"
    "    object TvgLayout\n      object TvgText\n        ResourceName = 'found'\n      end\n    end\n  end\n"
    "end\n";

class StylesTest : public ::testing::Test {
protected:
  void SetUp() override {
    FPlatform.Resources.AddDataResourceFile(kDefaultStyleResource, VD_DEFAULT_STYLE);
    FScene.SetHost(&FHost);
  }
  void TearDown() override { ReleaseDefaultStyleRoot(); }

  template <class T>
  T* Make(TvgObject* parent = nullptr) {
    auto* object = new T(&FOwner);
    if (parent) parent->AddObject(object);
    return object;
  }
  TvgResources* StyleSet(const char* text = kStyleSet) {
    auto* styles = new TvgResources(&FOwner);
    styles->SetResourceText(FromUtf8(text));
    return styles;
  }

  platform::TMemoryPlatform FPlatform;
  TComponent FOwner{nullptr};
  TStandInHost FHost;
  TvgCustomScene FScene{nullptr};
};

TEST_F(StylesTest, FindResourceDoesNotLookInsideControls) {
  const TvgObject* holder = StyleSet()->Root()->FindResource(u"HOLDER");
  ASSERT_NE(holder, nullptr);
  EXPECT_NE(holder->FindResource(u"found"), nullptr);
  const TvgObject* inner = holder->FindResource(u"inner");
  ASSERT_NE(dynamic_cast<const TvgLabel*>(inner), nullptr);
  EXPECT_EQ(holder->FindResource(u"deep"), nullptr);
  EXPECT_NE(inner->FindResource(u"deep"), nullptr);
  EXPECT_EQ(holder->FindResource(u""), nullptr);
}

TEST_F(StylesTest, ANamedStyleIsFoundInAStyleSetThatNoSceneUses) {
  TvgResources* styles = StyleSet();
  auto* label = Make<TvgLabel>();
  label->SetResourceName(u"Other");
  label->SetResource(u"MyStateBtn");
  ASSERT_NE(label->ResourceLink(), nullptr);
  EXPECT_EQ(label->ResourceLink()->ResourceName(), u"");  // a named style's clone loses its name
  EXPECT_NE(label->TextPart(), nullptr);

  // A control whose style name is its own resource name gets no style at all.
  auto* self = Make<TvgLabel>();
  self->SetResourceName(u"mystatebtn");
  self->SetResource(u"MyStateBtn");
  EXPECT_EQ(self->ResourceLink(), nullptr);
  EXPECT_EQ(self->ChildrenCount(), 0);

  delete styles;
  delete self;
  auto* late = Make<TvgLabel>();
  late->SetResource(u"MyStateBtn");
  ASSERT_NE(late->ResourceLink(), nullptr);  // the default label style, found by class
  EXPECT_EQ(late->ResourceLink()->ResourceName(), u"labelstyle");
}

TEST_F(StylesTest, AControlWhoseChildrenAreFreedForgetsItsStyleAndTakesItAgain) {
  auto* label = Make<TvgLabel>();
  label->SetText(u"OK");
  label->ApplyResource();
  ASSERT_NE(label->TextPart(), nullptr);
  label->DeleteChildren();
  EXPECT_EQ(label->ResourceLink(), nullptr);
  label->SetText(u"Cancel");  // finds no text part, in no style
  EXPECT_EQ(label->FindResource(u"text"), nullptr);
  label->UpdateResource();
  ASSERT_NE(label->TextPart(), nullptr);
  EXPECT_EQ(label->TextPart()->Text(), u"Cancel");
}

TEST_F(StylesTest, TheSceneStyleSetComesBeforeTheDefaultOne) {
  FScene.SetStyle(StyleSet());
  auto* label = Make<TvgLabel>();
  FScene.AddObject(label);
  label->ApplyResource();
  ASSERT_NE(dynamic_cast<TvgRectangle*>(label->ResourceLink()), nullptr);
  EXPECT_EQ(label->ResourceLink()->ResourceName(), u"labelstyle");
}

TEST_F(StylesTest, TheDefaultStyleSetGivesStylesByClass) {
  const auto styleOf = [&](TvgControl* control) {
    control->ApplyResource();
    return control->ResourceLink() ? control->ResourceLink()->ResourceName() : u"none";
  };
  EXPECT_EQ(styleOf(Make<TvgLabel>()), u"labelstyle");
  EXPECT_EQ(styleOf(Make<TvgTestLabel>()), u"labelstyle");  // the parent class's style
  EXPECT_EQ(styleOf(Make<TvgButton>()), u"buttonstyle");
  EXPECT_EQ(styleOf(Make<TvgBackground>()), u"backgroundstyle");
  EXPECT_EQ(styleOf(Make<TvgBitmapStateButton>()), u"none");
  auto* named = Make<TvgLabel>();
  named->SetResource(u"textstyle");
  EXPECT_EQ(named->ResourceLink()->ResourceName(), u"");

  // The label style: a layout with one text part that fills it, locked, lets the mouse
  // through, drawn in #FFE0E0E0.
  const TvgObject* style = DefaultStyleRoot()->FindResource(u"labelstyle");
  ASSERT_NE(dynamic_cast<const TvgLayout*>(style), nullptr);
  ASSERT_EQ(style->ChildrenCount(), 1);
  const auto* text = dynamic_cast<const TvgText*>(style->Children(0));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->ResourceName(), u"text");
  EXPECT_EQ(text->Align(), vaClient);
  EXPECT_TRUE(text->Locked());
  EXPECT_FALSE(text->HitTest());
  EXPECT_EQ(text->Fill()->Color(), 0xFFE0E0E0u);
}

TEST_F(StylesTest, WithoutTheDefaultStyleSetOnlyNamedStylesAreFound) {
  platform::TMemoryPlatform bare;
  auto* label = Make<TvgLabel>();
  label->ApplyResource();
  EXPECT_EQ(label->ResourceLink(), nullptr);
  EXPECT_EQ(DefaultStyleRoot(), nullptr);
}

TEST_F(StylesTest, TheAppliedStyleIsTheFirstChildLockedAndNeverStored) {
  auto* label = Make<TvgLabel>();
  label->SetSize(120, 30);
  Make<TvgRectangle>(label);
  int applied = 0;
  label->OnApplyResource = TNotifyEvent(u"Applied", [&](TComponent* sender) { applied += sender == label; });
  label->ApplyResource();
  TvgVisualObject* style = label->ResourceLink()->Visual();
  ASSERT_EQ(label->Children(0), style);
  EXPECT_EQ(style->Align(), vaContents);
  EXPECT_EQ(style->Width(), 120);
  EXPECT_EQ(style->Height(), 30);
  EXPECT_TRUE(style->Locked());
  EXPECT_TRUE(style->Children(0)->Visual()->Locked());
  EXPECT_FALSE(style->Children(0)->Stored());
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(WriteComponentObject(*label).Children.size(), 1u);  // the rectangle only

  // Applying again replaces the clone.
  label->UpdateResource();
  EXPECT_EQ(label->ChildrenCount(), 2);
  EXPECT_NE(label->Children(0), style);
  EXPECT_EQ(applied, 2);
}

TEST_F(StylesTest, TextControlsWriteTheirTextIntoTheStyle) {
  FScene.AddObject(Make<TvgLayout>());
  auto* label = Make<TvgLabel>(FScene.GetRoot());
  label->SetText(u"About");
  label->Font()->SetSize(16);
  label->Font()->SetStyle(vgFontBold);
  label->ApplyResource();
  TvgText* part = label->TextPart();
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->Text(), u"About");
  EXPECT_EQ(part->Font()->Size(), 16);
  EXPECT_TRUE(part->Font()->Bold());
  EXPECT_EQ(part->HorzTextAlign(), vgTextAlignNear);
  label->SetVertTextAlign(vgTextAlignFar);
  EXPECT_EQ(part->VertTextAlign(), vgTextAlignFar);
}

TEST_F(StylesTest, AStyleSetRebuildsItsScenesStyles) {
  TvgResources* styles = StyleSet();
  FScene.SetStyle(styles);
  auto* label = Make<TvgLabel>();
  FScene.AddObject(label);
  label->ApplyResource();
  ASSERT_NE(dynamic_cast<TvgRectangle*>(label->ResourceLink()), nullptr);

  // A text that yields nothing leaves the set empty and its scenes on the default set.
  styles->SetResourceText(u"object TvgLayout\n  Width = \n");
  EXPECT_EQ(styles->Root(), nullptr);
  EXPECT_NE(dynamic_cast<TvgLayout*>(label->ResourceLink()), nullptr);

  // Its stored form carries the tree, which a file can also give.
  FPlatform.Files.AddFile(FPlatform.Files.ProgramFolder() + u"styles.form", kStyleSet);
  styles->SetFileName(u"styles.form");
  ASSERT_NE(styles->Root(), nullptr);
  EXPECT_NE(dynamic_cast<TvgRectangle*>(label->ResourceLink()), nullptr);
  styles->SetFileName(u"");
  TvgResources copy(nullptr);
  ReadComponent(copy, WriteComponentStream(*styles));
  ASSERT_NE(copy.Root(), nullptr);
  TMemoryStream original;
  TMemoryStream copied;
  styles->Root()->SaveToBinStream(original);
  copy.Root()->SaveToBinStream(copied);
  EXPECT_EQ(copied.Bytes(), original.Bytes());

  EXPECT_EQ(copy.Resource().Count(), 0);
  copy.FillStrings();
  TvgResources fromText(nullptr);
  fromText.SetResource(copy.Resource());
  TMemoryStream again;
  fromText.Root()->SaveToBinStream(again);
  EXPECT_EQ(again.Bytes(), original.Bytes());

  delete styles;
  EXPECT_EQ(FScene.Style(), nullptr);

  // A style set stored inside a style set's tree stays empty.
  TvgResources outer(nullptr);
  outer.SetResourceText(
      u"object TvgLayout\n  object TvgResources\n    Resource = 'object TvgLayout'#10'end'\n  end\nend\n");
  ASSERT_NE(outer.Root(), nullptr);
  const auto* inner = dynamic_cast<TvgResources*>(outer.Root()->Components(0));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->ResourceText(), u"object TvgLayout\r\nend\r\n");
  EXPECT_EQ(inner->Root(), nullptr);
}

struct TClassDefaults {
  std::function<TvgControl*(TComponent*)> Create;
  float Width, Height;
  bool AutoCapture, AutoTranslate;
};

TEST_F(StylesTest, NewControlsHaveTheirClassesSizesAndBehaviour) {
  const std::vector<TClassDefaults> cases = {
      {[](TComponent* o) { return new TvgControl(o); }, 50, 50, false, false},
      {[](TComponent* o) { return new TvgLabel(o); }, 50, 50, false, true},
      {[](TComponent* o) { return new TvgButton(o); }, 80, 22, true, true},
      {[](TComponent* o) { return new TvgBitmapStateButton(o); }, 64, 64, true, true},
  };
  for (const TClassDefaults& c : cases) {
    const TvgControl* control = c.Create(&FOwner);
    SCOPED_TRACE(std::string(control->ClassName().begin(), control->ClassName().end()));
    EXPECT_EQ(control->Width(), c.Width);
    EXPECT_EQ(control->Height(), c.Height);
    EXPECT_EQ(control->LastWidth(), c.Width);
    EXPECT_EQ(control->AutoCapture(), c.AutoCapture);
    EXPECT_EQ(control->AutoTranslate(), c.AutoTranslate);
  }
}

TEST_F(StylesTest, ObjectsPaintWithTheirTransformAfterTakingTheirStyle) {
  auto* root = Make<TvgBackground>();
  FScene.AddObject(root);
  root->SetSize(100, 100);
  auto* label = Make<TvgLabel>(root);
  label->Position()->SetPoint({30, 10});
  label->SetText(u"Hi");
  TRecordingCanvas canvas;
  FScene.SetTransparency(true);
  root->PaintTo(canvas);
  EXPECT_EQ(canvas.FCalls, std::vector<std::u16string>{u"text Hi #FFE0E0E0 at 3"});
  // Not the root of a transparent scene: its style shows under the children.
  FScene.SetTransparency(false);
  canvas.FCalls.clear();
  root->PaintTo(canvas);
  EXPECT_EQ(canvas.FCalls, (std::vector<std::u16string>{u"rect #FFF0F0F0 at 0", u"text Hi #FFE0E0E0 at 3"}));
}

}  // namespace
}  // namespace vd
