// Scene objects in object streams: the writer's choices, reading past what cannot be
// applied, copies, content flattening, creation by class name, and stored trees that read
// and write back to the same bytes.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "core/ClassRegistry.h"
#include "core/ComponentWriter.h"
#include "platform/memory/MemoryPlatform.h"
#include "scene/SceneClasses.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Shapes.h"
#include "scene/controls/Text.h"
#include "scene/layout/Containers.h"
#include "scene/style/StyleSet.h"
#include "streams/BinaryObjectStream.h"
#include "streams/TextObjectStream.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::Load;
using scene_test::TextStream;

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("missing " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TMemoryStream Binary(std::string_view text) { return TMemoryStream(ObjectTextToBinary(text)); }

const TStreamProperty* Find(const TStreamObject& object, const std::string& name) {
  for (const TStreamProperty& property : object.Properties)
    if (property.Name == name) return &property;
  return nullptr;
}

struct TTagCase {
  const char* Name;
  std::function<void(TvgButton&)> Set;
  const char* Property;
  TValueType Expected;
};

class WriterTagTest : public ::testing::TestWithParam<TTagCase> {};

TEST_P(WriterTagTest, ChoosesTheSmallestFittingTag) {
  TvgButton button(nullptr);
  GetParam().Set(button);
  const TStreamObject written = WriteComponentObject(button);
  const TStreamProperty* property = Find(written, GetParam().Property);
  ASSERT_NE(property, nullptr);
  EXPECT_EQ(property->Value.Type, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WriterTagTest,
    ::testing::Values(
        TTagCase{"Int16", [](TvgButton& b) { b.SetModalResult(200); }, "ModalResult", TValueType::vaInt16},
        TTagCase{"Int8", [](TvgButton& b) { b.SetModalResult(-100); }, "ModalResult", TValueType::vaInt8},
        TTagCase{"String", [](TvgButton& b) { b.SetText(u"abc"); }, "Text", TValueType::vaString},
        TTagCase{"LString", [](TvgButton& b) { b.SetText(std::u16string(300, u'x')); }, "Text", TValueType::vaLString},
        TTagCase{"WString", [](TvgButton& b) { b.SetText(u"关于软件 A"); }, "Text", TValueType::vaWString},
        TTagCase{"UTF8String", [](TvgButton& b) { b.SetText(u"abcé"); }, "Text", TValueType::vaUTF8String},
        TTagCase{"Float", [](TvgButton& b) { b.SetWidth(94); }, "Width", TValueType::vaExtended},
        TTagCase{"Boolean", [](TvgButton& b) { b.SetHitTest(false); }, "HitTest", TValueType::vaFalse},
        TTagCase{"Enumeration", [](TvgButton& b) { b.SetAlign(vaClient); }, "Align", TValueType::vaIdent},
        TTagCase{"Set", [](TvgButton& b) { b.Font()->SetStyle(vgFontBold); }, "Font.Style", TValueType::vaSet}),
    [](const ::testing::TestParamInfo<TTagCase>& info) { return std::string(info.param.Name); });

// Defaults are not written; sizes and capture are, when they differ from the class's own.
TEST(ObjectStreamsTest, WritesOnlyWhatDiffersFromTheDefaults) {
  TvgButton button(nullptr);
  EXPECT_TRUE(WriteComponentObject(button).Properties.empty());
  button.SetSize(0, 22);
  button.SetAutoCapture(false);
  const TStreamObject written = WriteComponentObject(button);
  ASSERT_EQ(written.Properties.size(), 2u);
  EXPECT_EQ(written.Properties[0].Name, "Width");
  EXPECT_EQ(written.Properties[1].Name, "AutoCapture");
}

TEST(ObjectStreamsTest, ReadingSkipsWhatCannotBeAppliedAndGoesOn) {
  platform::TMemoryPlatform platform;
  TMemoryStream stream = Binary(
      "object Box: TvgRectangle\n  Width = 30.0\n  Bogus = 5\n  Align = 5\n  Height = 40.0\n"
      "  object Inner: TvgLayout\n    Visible = False\n  end\n"
      "  object Unknown: TvgNoSuchClass\n    object Lost: TvgLayout\n    end\n  end\n"
      "  object Last: TvgText\n    Text = 'kept'\n  end\nend\n");
  TvgRectangle box(nullptr);
  box.LoadFromBinStream(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  EXPECT_EQ(box.Name(), u"Box");
  EXPECT_EQ(box.Width(), 30);
  EXPECT_EQ(box.Height(), 40);
  ASSERT_EQ(box.ChildrenCount(), 2);
  EXPECT_FALSE(box.Children(0)->Visual()->Visible());
  EXPECT_EQ(box.Children(1)->Name(), u"Last");
  EXPECT_EQ(static_cast<TvgText*>(box.Children(1))->Text(), u"kept");
  EXPECT_EQ(platform.UI.FDebugOutput.size(), 3u);  // Bogus, Align and the unknown class
}

TEST(ObjectStreamsTest, ASizeOrPositionThatIsNotFiniteIsRefusedNamingTheObjectAndProperty) {
  struct TCase {
    const char* Stored;
    const char16_t* Error;
  };
  const TCase cases[] = {
      {"Width = NaN", u"Error reading Box.Width: Invalid property value"},
      {"Width = Single({0000C07F})", u"Error reading Box.Width: Invalid property value"},  // a NaN
      {"Height = Extended({0000000000000080FF7F})",
       u"Error reading Box.Height: Invalid property value"},                   // an infinity
      {"Height = 1e39", u"Error reading Box.Height: Invalid property value"},  // beyond a single
      {"Font.Size = Double({000000000000F07F})",
       u"Error reading Box.Font.Size: Invalid property value"},  // an infinity
      {"Position.Point = '(nan,1)'", u"Error reading Box.Position.Point: Invalid property value"},
      {"Padding.Rect = '(0,-inf,0,0)'", u"Error reading Box.Padding.Rect: Invalid property value"},
  };
  for (const TCase& c : cases) {
    platform::TMemoryPlatform platform;
    TMemoryStream stream = Binary("object Box: TvgText\n  " + std::string(c.Stored) + "\nend\n");
    TvgText box(nullptr);
    box.LoadFromBinStream(stream);
    EXPECT_EQ(platform.UI.FDebugOutput, std::vector<std::u16string>{c.Error}) << c.Stored;
    const TvgRect bounds = box.AbsoluteRect();
    const TvgRect padding = box.Padding()->Rect();
    for (const float value : {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom, box.Font()->Size(), padding.Left,
                              padding.Top, padding.Right, padding.Bottom})
      EXPECT_TRUE(std::isfinite(value)) << c.Stored;
  }
}

TEST(ObjectStreamsTest, CloneCopiesPropertiesAndStoredChildrenWithoutNames) {
  auto source = std::make_unique<TvgRectangle>(nullptr);
  TMemoryStream stream = Binary(
      "object Source: TvgRectangle\n  Width = 70.0\n  Fill.Color = '#FF102030'\n"
      "  object Kept: TvgText\n    Text = 'a'\n  end\n  object Dropped: TvgText\n  end\nend\n");
  source->LoadFromBinStream(stream);
  ASSERT_EQ(source->Children(0)->Name(), u"Kept");
  source->Children(1)->SetStored(false);
  TComponent owner(nullptr);
  TvgObject* clone = source->Clone(&owner);
  ASSERT_NE(dynamic_cast<TvgRectangle*>(clone), nullptr);
  EXPECT_EQ(clone->Owner(), &owner);
  EXPECT_EQ(clone->Name(), u"");
  EXPECT_EQ(source->Name(), u"Source");
  EXPECT_EQ(clone->Visual()->Width(), 70);
  EXPECT_EQ(static_cast<TvgRectangle*>(clone)->Fill()->Color(), 0xFF102030u);
  ASSERT_EQ(clone->ChildrenCount(), 1);
  EXPECT_EQ(clone->Children(0)->Name(), u"");
  EXPECT_EQ(static_cast<TvgText*>(clone->Children(0))->Text(), u"a");
  EXPECT_EQ(clone->Children(0)->Owner(), clone);
  EXPECT_FALSE(clone->IsDesigning());
}

TEST(ObjectStreamsTest, CloneChildFromStreamTakesOverTheChildrenOfWhatItReads) {
  const auto target =
      Load<TvgVisualObject>("object TvgLayout\n  Width = 130.0\n  Height = 100.0\n  object TvgText\n  end\nend\n");
  // A read object without children changes nothing and does not stay.
  TMemoryStream empty = TextStream("object TvgLayout\nend\n");
  target->CloneChildFromStream(empty);
  EXPECT_EQ(target->ChildrenCount(), 1);
  EXPECT_EQ(target->ComponentCount(), 1);

  TMemoryStream stream = TextStream(
      "object TvgLayout\n  ResourceName = 'holder'\n  Width = 100.0\n  Height = 100.0\n"
      "  object TvgLayout\n    Align = vaTopRight\n    Position.Point = '(50,0)'\n"
      "    object TvgText\n    end\n  end\n  object TvgRectangle\n  end\nend\n");
  target->CloneChildFromStream(stream);
  ASSERT_EQ(target->ChildrenCount(), 2);
  // The emptied object that was read goes; what it read stays, owned by the target.
  EXPECT_EQ(FindGlobalResource(u"holder"), nullptr);
  EXPECT_EQ(target->ComponentCount(), 3);
  const TvgVisualObject& moved = *target->Children(0)->Visual();
  EXPECT_EQ(moved.Position()->X(), 80);  // laid out as if grown from 100 to 130
  EXPECT_TRUE(moved.Locked());
  EXPECT_FALSE(moved.Stored());
  EXPECT_FALSE(moved.Children(0)->Stored());
  EXPECT_NE(dynamic_cast<TvgRectangle*>(target->Children(1)), nullptr);
  EXPECT_TRUE(WriteComponentObject(*target).Children.empty());
}

TEST(ObjectStreamsTest, ContentWritesItsChildrenInItsPlace) {
  const auto parent = Load<TvgObject>(
      "object TvgLayout\n  object TvgText\n    Text = 'before'\n  end\n"
      "  object TvgContent\n    object TvgText\n      Text = 'inner'\n    end\n"
      "    object TvgText\n      Text = 'unstored'\n    end\n  end\nend\n");
  TvgObject* content = parent->Children(1);
  content->Children(1)->SetStored(false);
  const TStreamObject written = WriteComponentObject(*parent);
  ASSERT_EQ(written.Children.size(), 3u);
  EXPECT_EQ(Find(written.Children[1], "Text")->Value, MakeStringValue(u"inner"));
  EXPECT_EQ(written.Children[2].ClassName, "TvgContent");
  EXPECT_TRUE(written.Children[2].Children.empty());
}

TEST(ObjectStreamsTest, CreatingByClassNameGivesNoneForWhatIsNoSceneObject) {
  RegisterSceneClasses();
  for (const char* text : {"object TvgNoSuchClass\nend\n", "object TvgResources\nend\n"}) {
    TMemoryStream stream = Binary(text);
    stream.SetPosition(0);
    EXPECT_EQ(CreateObjectFromBinStream(nullptr, stream), nullptr) << text;
    EXPECT_EQ(stream.Position(), 0);
  }
  std::vector<std::uint8_t> bytes = ObjectTextToBinary("object TvgText\n  Text = 'abc'\nend\n");
  bytes.resize(bytes.size() - 3);
  TMemoryStream truncated(bytes);
  EXPECT_EQ(CreateObjectFromBinStream(nullptr, truncated), nullptr);
  TMemoryStream notText = TextStream("object TvgText\n  Text = \n");
  EXPECT_EQ(CreateObjectFromStream(nullptr, notText), nullptr);

  TComponent owner(nullptr);
  TMemoryStream good = Binary("object Named: TvgText\n  Text = 'abc'\nend\n");
  TvgObject* object = CreateObjectFromBinStream(&owner, good);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->Owner(), &owner);
  EXPECT_EQ(object->Name(), u"");
  EXPECT_EQ(good.Position(), good.Size());
}

// Stored trees with styles, animations and pictures: what is read writes back to the same
// bytes, through the text form too, and reading them skips nothing.
class StoredTreeTest : public ::testing::TestWithParam<const char*> {};

TEST_P(StoredTreeTest, ReadsAndWritesBackTheSameBytes) {
  platform::TMemoryPlatform platform;
  RegisterSceneClasses();
  const std::vector<std::uint8_t> compiled = ReadFile(GetParam());
  const TClassInfo* info = FindComponentClass(FromShortString(ReadObjectStream(compiled).ClassName));
  ASSERT_NE(info, nullptr);
  std::unique_ptr<TvgObject> root(static_cast<TvgObject*>(info->Create(nullptr)));
  TMemoryStream in(compiled);
  root->LoadFromBinStream(in);
  EXPECT_TRUE(platform.UI.FDebugOutput.empty());

  TMemoryStream out;
  root->SaveToBinStream(out);
  EXPECT_EQ(out.Bytes(), compiled);

  TMemoryStream text;
  root->SaveToStream(text);
  std::unique_ptr<TvgObject> again(static_cast<TvgObject*>(info->Create(nullptr)));
  text.SetPosition(0);
  again->LoadFromStream(text);
  TMemoryStream outAgain;
  again->SaveToBinStream(outAgain);
  EXPECT_EQ(outAgain.Bytes(), compiled);
}

INSTANTIATE_TEST_SUITE_P(Forms, StoredTreeTest, ::testing::Values(VD_DEFAULT_STYLE, VD_ABOUT_SCENE, VD_ABOUT_STYLES));

}  // namespace
}  // namespace vd
