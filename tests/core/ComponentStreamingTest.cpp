// Components written to and read from stored descriptions: class info, storage rules, the
// writer's choice of tags, nested components, handlers bound by name, references resolved
// after the read, collections, defined binary properties, Loaded, errors skipped, copies.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ClassInfo.h"
#include "core/ClassRegistry.h"
#include "core/Collection.h"
#include "core/ComponentReader.h"
#include "core/ComponentWriter.h"
#include "streams/BinaryObjectStream.h"
#include "streams/TextObjectStream.h"

namespace vd {
namespace {

std::vector<std::u16string> gLoadedLog;

enum class TTestAlign { alNone, alTop, alClient };

class TTestPadding : public TPersistent {
public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestPadding>(u"TTestPadding", TPersistent::StaticClassInfo())
                                       .Integer(u"Left", &TTestPadding::Left, &TTestPadding::Left)
                                       .Default(0)
                                       .Integer(u"Top", &TTestPadding::Top, &TTestPadding::Top)
                                       .Default(0)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  int Left = 0;
  int Top = 0;
};

class TTestItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestItem>(u"TTestItem", TPersistent::StaticClassInfo())
                                       .Float(u"Offset", &TTestItem::Offset, &TTestItem::Offset)
                                       .String(u"Color", &TTestItem::Color, &TTestItem::Color)
                                       .Reference(u"Target", &TTestItem::Target, &TTestItem::Target)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  double Offset = 0;
  std::u16string Color;
  TComponent* Target = nullptr;
};

class TTestWidget : public TComponent {
public:
  explicit TTestWidget(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  std::int32_t Count() const { return FCount; }
  void SetCount(std::int32_t value) { FCount = value; }
  std::int16_t Small = 0;
  double Ratio = 0;
  float Duration = 0.2f;
  bool Active = false;
  bool Visible = true;
  TTestAlign Align = TTestAlign::alNone;
  std::uint32_t Anchors = 3;  // akLeft, akTop
  std::u16string Caption;
  TTestPadding* Padding() const { return FPadding.get(); }
  TTypedCollection<TTestItem>* Items() const { return FItems.get(); }
  TTestWidget* Buddy = nullptr;
  TNotifyEvent OnClick;
  const TEvent<int>& OnValue() const { return FOnValue; }
  void SetOnValue(TEvent<int> value) { FOnValue = std::move(value); }
  std::vector<std::uint8_t> Resources;
  bool DeleteBuddyWhenLoaded = false;
  TComponent* ParentWidget = nullptr;

  void Loaded() override {
    gLoadedLog.push_back(Name() + (IsLoading() ? u"" : u"?") + (IsReading() ? u"!" : u""));
    TComponent::Loaded();
    if (DeleteBuddyWhenLoaded) delete Buddy;
  }
  bool IsReading() const { return (ComponentState() & csReading) != 0; }
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override {
    for (int i = 0; i < root->ComponentCount(); ++i)
      if (static_cast<TTestWidget*>(root->Components(i))->ParentWidget == this) proc(root->Components(i));
  }
  TComponent* GetParentComponent() const override { return ParentWidget; }
  void SetParentComponent(TComponent* parent) override {
    if (parent != Owner()) ParentWidget = parent;
  }

private:
  void ReadResources(std::span<const std::uint8_t> bytes) { Resources.assign(bytes.begin(), bytes.end()); }
  std::optional<std::vector<std::uint8_t>> WriteResources() const {
    if (Resources.empty()) return std::nullopt;
    return Resources;
  }

  std::int32_t FCount = 0;
  std::unique_ptr<TTestPadding> FPadding = std::make_unique<TTestPadding>();
  std::unique_ptr<TTypedCollection<TTestItem>> FItems = std::make_unique<TTypedCollection<TTestItem>>();
  TEvent<int> FOnValue;
};

const TClassInfo& TTestWidget::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTestWidget>(u"TTestWidget", TComponent::StaticClassInfo())
          .Creatable()
          .Integer(u"Count", &TTestWidget::Count, &TTestWidget::SetCount)
          .Default(0)
          .Integer(u"Small", &TTestWidget::Small, &TTestWidget::Small)
          .Default(0)
          .Float(u"Ratio", &TTestWidget::Ratio, &TTestWidget::Ratio)
          .Float(u"Duration", &TTestWidget::Duration, &TTestWidget::Duration)
          .Default(0.2)
          .Boolean(u"Active", &TTestWidget::Active, &TTestWidget::Active)
          .Default(false)
          .Boolean(u"Visible", &TTestWidget::Visible, &TTestWidget::Visible)
          .Enumeration(u"Align", &TTestWidget::Align, &TTestWidget::Align, {u"alNone", u"alTop", u"alClient"})
          .Default(0)
          .Set(u"Anchors", &TTestWidget::Anchors, &TTestWidget::Anchors, {u"akLeft", u"akTop", u"akRight", u"akBottom"})
          .Default(3)
          .String(u"Caption", &TTestWidget::Caption, &TTestWidget::Caption)
          .Object(u"Padding", &TTestWidget::Padding)
          .Object(u"Items", &TTestWidget::Items)
          .Reference(u"Buddy", &TTestWidget::Buddy, &TTestWidget::Buddy)
          .Event(u"OnClick", &TTestWidget::OnClick)
          .Event(u"OnValue", &TTestWidget::OnValue, &TTestWidget::SetOnValue)
          .Binary(u"ResourcesBin", &TTestWidget::ReadResources, &TTestWidget::WriteResources)
          .Boolean(u"DeleteBuddyWhenLoaded", &TTestWidget::DeleteBuddyWhenLoaded, &TTestWidget::DeleteBuddyWhenLoaded)
          .Default(false)
          .Build();
  return info;
}

class TTestForm : public TComponent {
public:
  explicit TTestForm(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TTestForm>(u"TTestForm", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Method(u"ButtonClick", &TTestForm::ButtonClick)
                                       .Method(u"ValueChanged", &TTestForm::ValueChanged)
                                       .Field(u"Button1", &TTestForm::Button1)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  void Loaded() override {
    gLoadedLog.push_back(Name());
    TComponent::Loaded();
  }

  void ButtonClick(TComponent* sender) { Clicks.push_back(sender); }
  void ValueChanged(int value) { Values.push_back(value); }

  TTestWidget* Button1 = nullptr;
  std::vector<TComponent*> Clicks;
  std::vector<int> Values;
};

class ComponentStreamingTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterComponentClasses({&TTestWidget::StaticClassInfo(), &TTestForm::StaticClassInfo()});
    gLoadedLog.clear();
  }

  static std::vector<std::u16string> Read(TComponent& root, std::string_view text) {
    return ReadComponent(root, ParseTextForm(text));
  }
  static TTestWidget* Widget(const TComponent& owner, std::u16string_view name) {
    return dynamic_cast<TTestWidget*>(owner.FindComponent(name));
  }
  static const TStreamValue* Find(const TStreamObject& object, std::string_view name) {
    for (const TStreamProperty& property : object.Properties)
      if (property.Name == name) return &property.Value;
    return nullptr;
  }
};

TEST_F(ComponentStreamingTest, TheWriterChoosesTheSmallestIntegerAndTheStringTagByContent) {
  TTestWidget widget(nullptr);
  const auto written = [&](auto set) {
    set();
    const TStreamObject object = WriteComponentObject(widget);
    const TStreamValue* value = Find(object, "Count");
    if (!value) value = Find(object, "Caption");
    return value ? value->Type : TValueType::vaNull;
  };
  EXPECT_EQ(written([&] { widget.SetCount(200); }), TValueType::vaInt16);
  EXPECT_EQ(written([&] { widget.SetCount(-100); }), TValueType::vaInt8);
  EXPECT_EQ(written([&] { widget.SetCount(-129); }), TValueType::vaInt16);
  EXPECT_EQ(written([&] { widget.SetCount(32768); }), TValueType::vaInt32);
  widget.SetCount(0);
  EXPECT_EQ(written([&] { widget.Caption = u"abc"; }), TValueType::vaString);
  EXPECT_EQ(written([&] { widget.Caption = std::u16string(300, u'x'); }), TValueType::vaLString);
  EXPECT_EQ(written([&] { widget.Caption = std::u16string(255, u'x'); }), TValueType::vaString);
  EXPECT_EQ(written([&] { widget.Caption = u"\u6253\u5F00\u914D\u7F6E"; }), TValueType::vaWString);
  EXPECT_EQ(written([&] { widget.Caption = u"Exit=\u9000\u51FA\u8F6F\u4EF6"; }), TValueType::vaUTF8String);
  EXPECT_EQ(written([&] { widget.Caption = u"abc\u00E9"; }), TValueType::vaUTF8String);
  // Text that UTF-8 cannot carry keeps its units.
  EXPECT_EQ(written([&] { widget.Caption = u"abcdef\xD800"; }), TValueType::vaWString);
}

TEST_F(ComponentStreamingTest, OnlyStoredPropertiesThatDifferFromTheirDefaultsAreWritten) {
  TTestWidget widget(nullptr);
  widget.SetName(u"W");
  TStreamObject object = WriteComponentObject(widget);
  EXPECT_EQ(object.ClassName, "TTestWidget");
  EXPECT_EQ(object.Name, "W");
  ASSERT_EQ(object.Properties.size(), 1u);  // Visible has no default and is always written
  EXPECT_EQ(object.Properties[0], (TStreamProperty{"Visible", MakeBooleanValue(true)}));

  widget.Duration = 0.5f;
  widget.Ratio = 0.25;
  widget.Align = TTestAlign::alClient;
  widget.Anchors = 0b1010;
  widget.Padding()->Top = 7;
  widget.Items()->Add()->Color = u"#FF000000";
  widget.Resources = {1, 2};
  widget.SetTag(-1);
  object = WriteComponentObject(widget);
  EXPECT_EQ(FloatValue(*Find(object, "Duration")), 0.5);
  EXPECT_EQ(Find(object, "Ratio")->Type, TValueType::vaExtended);
  EXPECT_EQ(*Find(object, "Align"), MakeIdentValue("alClient"));
  EXPECT_EQ(*Find(object, "Anchors"), MakeSetValue({"akTop", "akBottom"}));
  EXPECT_EQ(*Find(object, "Padding.Top"), MakeIntegerValue(7));
  EXPECT_EQ(Find(object, "Padding.Left"), nullptr);
  ASSERT_EQ(Find(object, "Items")->Items.size(), 1u);
  EXPECT_EQ(Find(object, "Items")->Items[0].Properties.size(), 1u);
  EXPECT_EQ(Find(object, "ResourcesBin")->Bytes, std::string("\x01\x02"));
  EXPECT_EQ(*Find(object, "Tag"), MakeIntegerValue(-1));
  EXPECT_EQ(Find(object, "Name"), nullptr);
  EXPECT_EQ(Find(object, "OnClick"), nullptr);
  EXPECT_EQ(Find(object, "Buddy"), nullptr);
}

TEST_F(ComponentStreamingTest, AFormReadsBackWithItsComponentsHandlersReferencesAndFields) {
  TTestForm original(nullptr);
  original.SetName(u"Form1");
  auto* panel = new TTestWidget(&original);
  panel->SetName(u"Panel1");
  auto* button = new TTestWidget(&original);
  button->SetName(u"Button1");
  button->ParentWidget = panel;
  auto* label = new TTestWidget(&original);
  label->SetName(u"Label1");
  panel->Buddy = label;  // a reference to a component read after it
  label->Buddy = button;
  button->OnClick = TNotifyEvent(u"ButtonClick", [](TComponent*) {});
  button->SetOnValue(TEvent<int>(u"ValueChanged", [](int) {}));
  button->Caption = u"OK";
  button->Items()->Add()->Target = &original;

  const std::vector<std::uint8_t> stream = WriteComponentStream(original);
  TTestForm form(nullptr);
  const std::vector<std::u16string> errors = ReadComponent(form, stream);
  EXPECT_TRUE(errors.empty()) << std::string(errors[0].begin(), errors[0].end());

  EXPECT_EQ(form.Name(), u"Form1");
  ASSERT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(form.Components(0)->Name(), u"Panel1");
  EXPECT_EQ(form.Components(1)->Name(), u"Button1");  // nested in Panel1, written and read right after it
  EXPECT_EQ(form.Components(2)->Name(), u"Label1");
  TTestWidget* readButton = Widget(form, u"Button1");
  EXPECT_EQ(form.Button1, readButton);
  EXPECT_EQ(readButton->ParentWidget, form.Components(0));
  EXPECT_EQ(readButton->Caption, u"OK");
  EXPECT_EQ(Widget(form, u"Panel1")->Buddy, Widget(form, u"Label1"));
  EXPECT_EQ(Widget(form, u"Label1")->Buddy, readButton);
  EXPECT_EQ(readButton->Items()->Items(0)->Target, &form);

  EXPECT_EQ(readButton->OnClick.HandlerName(), u"ButtonClick");
  readButton->OnClick(readButton);
  readButton->OnValue()(42);
  EXPECT_EQ(form.Clicks, std::vector<TComponent*>{readButton});
  EXPECT_EQ(form.Values, std::vector<int>{42});

  // Loaded ran once for each, the root first, with loading still set and reading over.
  EXPECT_EQ(gLoadedLog, (std::vector<std::u16string>{u"Form1", u"Panel1", u"Button1", u"Label1"}));
  for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Components(i)->IsLoading());

  // Written again, the form gives the same stream.
  EXPECT_EQ(WriteComponentStream(form), stream);
}

TEST_F(ComponentStreamingTest, AnUnknownPropertyInTheMiddleStillYieldsTheRestOfTheObjectAndItsChildren) {
  TTestForm form(nullptr);
  const std::vector<std::u16string> errors = Read(form,
                                                  "object Form1: TTestForm\n"
                                                  "  object Panel1: TTestWidget\n"
                                                  "    Count = 5\n"
                                                  "    Unknown = 'x'\n"
                                                  "    Caption = 'after'\n"
                                                  "    object Button1: TTestWidget\n"
                                                  "      Active = True\n"
                                                  "    end\n"
                                                  "  end\n"
                                                  "end\n");
  EXPECT_EQ(errors, std::vector<std::u16string>{u"Error reading Panel1.Unknown: Property Unknown does not exist"});
  TTestWidget* panel = Widget(form, u"Panel1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Count(), 5);
  EXPECT_EQ(panel->Caption, u"after");
  ASSERT_NE(Widget(form, u"Button1"), nullptr);
  EXPECT_TRUE(Widget(form, u"Button1")->Active);
  EXPECT_EQ(form.Button1, Widget(form, u"Button1"));
}

TEST_F(ComponentStreamingTest, WhatCannotBeAppliedIsSkippedWithAClearError) {
  TTestForm form(nullptr);
  const std::vector<std::u16string> errors = Read(form,
                                                  "object Form1: TTestForm\n"
                                                  "  object W1: TTestWidget\n"
                                                  "    Count = 'text'\n"
                                                  "    Small = 40000\n"
                                                  "    Align = alSideways\n"
                                                  "    Anchors = [akLeft, akMiddle]\n"
                                                  "    Caption.Length = 3\n"
                                                  "    Padding.Right = 3\n"
                                                  "    Padding.Left = 4\n"
                                                  "    OnClick = Missing\n"
                                                  "    OnValue = ButtonClick\n"
                                                  "    Buddy = Nobody\n"
                                                  "    ResourcesBin = 'not binary'\n"
                                                  "    Active = Maybe\n"
                                                  "    object Gone: TNoSuchClass\n"
                                                  "      object Inside: TTestWidget\n"
                                                  "      end\n"
                                                  "    end\n"
                                                  "    object Kept: TTestWidget\n"
                                                  "      Visible = False\n"
                                                  "    end\n"
                                                  "  end\n"
                                                  "end\n");
  EXPECT_EQ(errors, (std::vector<std::u16string>{
                        u"Error reading W1.Count: Invalid property value",
                        u"Error reading W1.Small: Invalid property value",
                        u"Error reading W1.Align: Invalid property value",
                        u"Error reading W1.Anchors: Invalid property value",
                        u"Error reading W1.Caption.Length: Invalid property path",
                        u"Error reading W1.Padding.Right: Property Right does not exist",
                        u"Error reading W1.OnClick: Handler Missing not found",
                        u"Error reading W1.OnValue: Handler ButtonClick does not fit the event",
                        u"Error reading W1.ResourcesBin: Invalid property value",
                        u"Error reading W1.Active: Invalid property value",
                        u"Error reading Gone: Class TNoSuchClass not found",
                        u"Error reading Form1.Button1: Component Button1 not found",
                        u"Error reading W1.Buddy: Component Nobody not found",
                    }));
  TTestWidget* widget = Widget(form, u"W1");
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->Padding()->Left, 4);
  EXPECT_EQ(widget->Count(), 0);
  EXPECT_EQ(form.FindComponent(u"Inside"), nullptr);
  ASSERT_NE(Widget(form, u"Kept"), nullptr);
  EXPECT_FALSE(Widget(form, u"Kept")->Visible);
}

TEST_F(ComponentStreamingTest, ValuesOfOtherWritersAreAccepted) {
  TTestForm form(nullptr);
  const std::vector<std::u16string> errors =
      Read(form,
           "object Form1: TTestForm\n"
           "  object W1: TTestWidget\n"
           "    Count = Int64(7)\n"
           "    Ratio = Single(0.5)\n"
           "    Duration = 2\n"
           "    Caption = String('caf'#233)\n"
           "    Active = Ident('TRUE')\n"
           "    Align = ALTOP\n"
           "    OnClick = buttonclick\n"
           "    Buddy = Form1.W1\n"
           "    Items = <item [5] Offset = Currency(1.5) end item Offset = Double(2.5) end>\n"
           "  end\n"
           "end\n");
  EXPECT_EQ(errors, std::vector<std::u16string>{u"Error reading Form1.Button1: Component Button1 not found"});
  TTestWidget* widget = Widget(form, u"W1");
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->Count(), 7);
  EXPECT_EQ(widget->Ratio, 0.5);
  EXPECT_EQ(widget->Duration, 2.0f);
  EXPECT_EQ(widget->Caption, u"caf\u00E9");
  EXPECT_TRUE(widget->Active);
  EXPECT_EQ(widget->Align, TTestAlign::alTop);
  EXPECT_EQ(widget->OnClick.HandlerName(), u"ButtonClick");
  EXPECT_EQ(widget->Buddy, widget);
  ASSERT_EQ(widget->Items()->Count(), 2);
  EXPECT_EQ(widget->Items()->Items(0)->Offset, 1.5);
  EXPECT_EQ(widget->Items()->Items(1)->Offset, 2.5);
}

TEST_F(ComponentStreamingTest, ReadingACollectionReplacesItsItemsAndNilClearsEventsAndReferences) {
  TTestForm form(nullptr);
  auto* widget = new TTestWidget(&form);
  widget->SetName(u"W1");
  widget->Items()->Add();
  widget->Items()->Add();
  widget->Buddy = widget;
  widget->OnClick = TNotifyEvent(u"ButtonClick", [](TComponent*) {});
  TStreamObject description = ParseTextForm(
      "object W1: TTestWidget\n"
      "  Items = <item Target = W1 end>\n"
      "  Items = <item Color = 'second' end>\n"
      "  Buddy = nil\n"
      "  OnClick = nil\n"
      "end\n");
  EXPECT_TRUE(ReadComponent(*widget, description).empty());
  ASSERT_EQ(widget->Items()->Count(), 1);
  EXPECT_EQ(widget->Items()->Items(0)->Color, u"second");
  EXPECT_EQ(widget->Items()->Items(0)->Target, nullptr);  // the reference of the replaced item is dropped
  EXPECT_EQ(widget->Buddy, nullptr);
  EXPECT_FALSE(widget->OnClick.Assigned());
  EXPECT_THROW(widget->Items()->Items(1), ERangeError);
}

TEST_F(ComponentStreamingTest, AComponentFreedDuringTheReadIsNotTouchedAgain) {
  TTestForm form(nullptr);
  const std::vector<std::u16string> errors = Read(form,
                                                  "object Form1: TTestForm\n"
                                                  "  object A: TTestWidget\n"
                                                  "    Buddy = B\n"
                                                  "    DeleteBuddyWhenLoaded = True\n"
                                                  "  end\n"
                                                  "  object B: TTestWidget\n"
                                                  "    Buddy = A\n"
                                                  "  end\n"
                                                  "end\n");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(gLoadedLog, (std::vector<std::u16string>{u"Form1", u"A"}));
}

TEST_F(ComponentStreamingTest, ACopyKeepsEmptyNamesAndAnythingThatStopsTheReadGivesNoComponent) {
  TTestForm owner(nullptr);
  TTestWidget source(nullptr);
  source.SetName(u"Source");
  source.Caption = u"copied";
  auto* child = new TTestWidget(&source);
  child->SetName(u"Child");
  source.ParentWidget = nullptr;
  child->ParentWidget = &source;
  const std::vector<std::uint8_t> stream = WriteComponentStream(source);

  TComponent* copy = CreateComponentFromBinStream(&owner, stream);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Owner(), &owner);
  EXPECT_EQ(copy->Name(), u"");
  EXPECT_EQ(static_cast<TTestWidget*>(copy)->Caption, u"copied");
  ASSERT_EQ(copy->ComponentCount(), 1);
  EXPECT_EQ(copy->Components(0)->Name(), u"");

  const std::string text = ObjectBinaryToText(stream);
  TComponent* fromText = CreateComponentFromStream(nullptr, text);
  ASSERT_NE(fromText, nullptr);
  EXPECT_EQ(static_cast<TTestWidget*>(fromText)->Caption, u"copied");
  delete fromText;

  // Errors of an object without a name name its class.
  TTestWidget target(nullptr);
  EXPECT_EQ(ReadComponent(target, ParseTextForm("object TTestWidget\n  Unknown = 1\nend"), TReadOptions{.Copy = true}),
            std::vector<std::u16string>{u"Error reading TTestWidget.Unknown: Property Unknown does not exist"});

  std::vector<std::uint8_t> truncated(stream.begin(), stream.end() - 1);
  EXPECT_EQ(CreateComponentFromBinStream(&owner, truncated), nullptr);
  EXPECT_EQ(CreateComponentFromStream(&owner, "object A: TUnregistered\nend"), nullptr);
  EXPECT_EQ(CreateComponentFromStream(&owner, "object A: TTestWidget\n"), nullptr);
  EXPECT_EQ(CreateComponentFromStream(&owner, "object A: TComponent\nend"), nullptr);  // not creatable
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST_F(ComponentStreamingTest, TheRegistryFindsClassesIgnoringCaseAndRefusesASecondClassOfAName) {
  EXPECT_EQ(FindComponentClass(u"ttestwidget"), &TTestWidget::StaticClassInfo());
  EXPECT_EQ(FindComponentClass(u"TNoSuchClass"), nullptr);
  EXPECT_NO_THROW(RegisterComponentClass(TTestWidget::StaticClassInfo()));
  static const TClassInfo impostor = TClassBuilder<TTestWidget>(u"TTestWidget", TComponent::StaticClassInfo()).Build();
  EXPECT_THROW(RegisterComponentClass(impostor), EStreamError);
  EXPECT_TRUE(TTestWidget::StaticClassInfo().InheritsFrom(TComponent::StaticClassInfo()));
  EXPECT_EQ(TTestWidget(nullptr).ClassName(), u"TTestWidget");
}

}  // namespace
}  // namespace vd
