// Triggers: conditions tested against the object whose state changed, the animations and
// effects they start or switch in an object and its style parts, and the states raised
// again when a style is applied.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/Animations.h"
#include "scene/Buttons.h"
#include "scene/Effects.h"
#include "scene/Layouts.h"
#include "scene/Resources.h"
#include "scene/Scene.h"
#include "scene/Text.h"
#include "scene/Triggers.h"
#include "streams/Strings.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TManualClock;
using scene_test::TStandInHost;

// A control that can be selected, as list items are.
class TvgTestItem : public TvgControl {
public:
  using TvgControl::TvgControl;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TvgTestItem>(u"TvgTestItem", TvgControl::StaticClassInfo())
            .Boolean(u"IsSelected", &TvgTestItem::FIsSelected, &TvgTestItem::FIsSelected)
            .Enumeration(u"Align2", &TvgTestItem::FAlign2, &TvgTestItem::FAlign2, AlignNames())
            .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  bool FIsSelected = false;
  TvgAlign FAlign2 = vaClient;
};

TEST(TriggerConditionTest, ClausesAreTestedAgainstBooleansAndEnumerations) {
  TvgTestItem item(nullptr);
  item.SetVisible(false);
  struct Case {
    const char* Condition;
    bool Holds;      // as an animation tests it
    bool LastHolds;  // as an effect does
  };
  for (const Case& c : {
           Case{"Visible=false", true, true},
           Case{"VISIBLE=False", true, true},
           Case{"Visible = false ;", true, true},
           Case{"Visible=false;IsSelected=false", true, true},
           Case{"Visible=false;IsSelected=true", false, false},
           Case{"Visible=true;IsSelected=false", false, true},  // stops at the first failure
           Case{"Visible=false;IsChecked=true", true, true},    // a property it lacks: passed over
           Case{"IsChecked=true;IsOpen=false", false, false},   // nothing to test
           Case{"Align2=vaClient", true, true},                 // enumerations by value name
           Case{"Tag=0;Visible", false, false},                 // an integer, a clause without "="
           Case{"", false, false},
       }) {
    EXPECT_EQ(TriggerHolds(item, FromUtf8(c.Condition)), c.Holds) << c.Condition;
    EXPECT_EQ(LastTriggerClauseHolds(item, FromUtf8(c.Condition)), c.LastHolds) << c.Condition;
  }
  EXPECT_TRUE(TriggerNamed(u"IsMouseOver=true;IsSelected=false", u"ismouseover"));
  EXPECT_TRUE(TriggerNamed(u"IsPressed=true", u"IsPressed"));
  EXPECT_FALSE(TriggerNamed(u"IsPressed=true", u"IsFocused"));
  EXPECT_FALSE(TriggerNamed(u"IsPressed=true", u""));
}

class TriggerTest : public ::testing::Test {
protected:
  void SetUp() override {
    FScene.SetHost(&FHost);
    FItem = new TvgTestItem(&FOwner);
    FScene.AddObject(FItem);
    // Style parts: locked and letting the mouse through, a text in a layout.
    FPart = new TvgLayout(&FOwner);
    FItem->AddObject(FPart);
    FText = new TvgText(&FOwner);
    FPart->AddObject(FText);
    for (TvgVisualObject* part : {static_cast<TvgVisualObject*>(FPart), static_cast<TvgVisualObject*>(FText)}) {
      part->SetLocked(true);
      part->SetHitTest(false);
    }
  }

  TvgColorAnimation* Colour(TvgObject* parent, const char16_t* trigger, const char16_t* inverse, TvgColor start,
                            TvgColor stop) {
    auto* animation = new TvgColorAnimation(&FOwner);
    animation->SetPropertyName(u"Fill.Color");
    animation->SetTrigger(trigger);
    animation->SetTriggerInverse(inverse);
    animation->SetStartColor(start);
    animation->SetStopColor(stop);
    parent->AddObject(animation);
    return animation;
  }
  TvgColor TextColour() const { return FText->Fill()->Color(); }

  TManualClock FClock;
  TComponent FOwner{nullptr};
  TStandInHost FHost;
  TvgCustomScene FScene{nullptr};
  TvgTestItem* FItem = nullptr;
  TvgLayout* FPart = nullptr;
  TvgText* FText = nullptr;
};

TEST_F(TriggerTest, MouseOverStartsOnlyWhileNotSelectedAndLeavingRunsBack) {
  TvgColorAnimation* hover =
      Colour(FText, u"IsMouseOver=true;IsSelected=false", u"IsMouseOver=false", 0xFF000000, 0xFF0000FF);
  FItem->FIsSelected = true;
  FItem->MouseEnter();
  EXPECT_FALSE(hover->Running());
  FItem->MouseLeave();  // the inverse condition holds: backwards
  EXPECT_TRUE(hover->Running());
  EXPECT_TRUE(hover->Inverse());
  FClock.Advance(1000);
  EXPECT_EQ(TextColour(), 0xFF000000u);

  FItem->FIsSelected = false;
  FItem->MouseEnter();
  EXPECT_TRUE(hover->Running());
  EXPECT_FALSE(hover->Inverse());
  FClock.Advance(1000);
  EXPECT_EQ(TextColour(), 0xFF0000FFu);

  // A button has no IsSelected: that clause is passed over.
  auto* button = new TvgButton(&FOwner);
  FScene.AddObject(button);
  button->MouseEnter();
  hover->StartTrigger(button, u"IsMouseOver");
  EXPECT_TRUE(hover->Running());
  EXPECT_FALSE(hover->Inverse());

  // A condition none of whose properties the object has never starts.
  TvgColorAnimation* checked = Colour(FText, u"IsChecked=true;IsOpen=true", u"", 0, 0xFFFFFFFF);
  FItem->StartTriggerAnimation(FItem, u"IsChecked");
  EXPECT_FALSE(checked->Running());
}

TEST_F(TriggerTest, OppositeTriggersSnapThenStartFromTheCurrentValue) {
  TvgColorAnimation* over = Colour(FText, u"IsMouseOver=true", u"", 0xFF000000, 0xFF00FF00);
  TvgColorAnimation* out = Colour(FText, u"IsMouseOver=false", u"", 0xFF000000, 0xFF0000FF);
  over->SetStartFromCurrent(true);
  out->SetStartFromCurrent(true);
  FText->Fill()->SetColor(0xFF200000);
  FItem->MouseEnter();
  EXPECT_EQ(over->StartColor(), 0xFF200000u);
  FClock.Advance(99);
  ASSERT_TRUE(over->Running());
  FItem->MouseLeave();
  // The running one snapped to its end, and the other starts there.
  EXPECT_FALSE(over->Running());
  EXPECT_EQ(out->StartColor(), 0xFF00FF00u);
  EXPECT_EQ(TextColour(), 0xFF00FF00u);
  EXPECT_TRUE(out->Running());
  FClock.Advance(300);
  EXPECT_EQ(TextColour(), 0xFF0000FFu);
}

TEST_F(TriggerTest, OnlyStylePartsAreSearchedAndOnlyTriggeredAnimationsStopped) {
  TvgColorAnimation* inPart = Colour(FText, u"IsMouseOver=true", u"", 0, 0xFFFFFFFF);
  auto* plain = new TvgText(&FOwner);  // not locked: not a style part
  FItem->AddObject(plain);
  TvgColorAnimation* inPlain = Colour(plain, u"IsMouseOver=true", u"", 0, 0xFFFFFFFF);
  auto* hit = new TvgLayout(&FOwner);  // locked but taking the mouse
  hit->SetLocked(true);
  FItem->AddObject(hit);
  TvgColorAnimation* inHit = Colour(hit, u"IsMouseOver=true", u"", 0, 0xFFFFFFFF);
  TvgColorAnimation* own = Colour(FItem, u"IsMouseOver=true", u"", 0, 0xFFFFFFFF);
  own->SetPropertyName(u"Tag");
  FItem->MouseEnter();
  EXPECT_TRUE(inPart->Running());
  EXPECT_TRUE(own->Running());
  EXPECT_FALSE(inPlain->Running());
  EXPECT_FALSE(inHit->Running());

  // An animation started by hand, without a trigger, keeps running through triggers.
  TvgColorAnimation* manual = Colour(FText, u"", u"", 0, 0xFFFFFFFF);
  manual->Start();
  FItem->StopTriggerAnimation(FItem);
  EXPECT_FALSE(inPart->Running());
  EXPECT_FALSE(own->Running());
  EXPECT_TRUE(manual->Running());

  // By name: direct children only.
  own->SetName(u"Own");
  inPart->SetName(u"Own");
  FItem->StartAnimation(u"OWN");
  EXPECT_TRUE(own->Running());
  EXPECT_FALSE(inPart->Running());
  FItem->StopAnimation(u"own");
  EXPECT_FALSE(own->Running());
}

TEST_F(TriggerTest, EffectsFollowTheLastClauseTheObjectCanAnswer) {
  auto* glow = new TvgEffect(&FOwner);
  glow->SetTrigger(u"IsMouseOver=true;IsChecked=true");
  FText->AddObject(glow);
  auto* other = new TvgEffect(&FOwner);
  other->SetTrigger(u"IsFocused=true");
  FItem->AddObject(other);
  FItem->MouseEnter();
  EXPECT_TRUE(glow->Enabled());
  EXPECT_TRUE(other->Enabled());  // not named: left as it was
  FItem->MouseLeave();
  EXPECT_FALSE(glow->Enabled());
  glow->SetTrigger(u"IsChecked=true");
  FItem->MouseEnter();
  EXPECT_FALSE(glow->Enabled());
}

TEST_F(TriggerTest, FocusRaisesIsFocusedUnlessItsEffectIsOff) {
  TvgColorAnimation* focus = Colour(FText, u"IsFocused=true", u"IsFocused=false", 0xFF000000, 0xFFFFFFFF);
  FItem->SetCanFocused(true);
  FItem->SetFocus();
  EXPECT_TRUE(focus->Running());
  FClock.Advance(300);
  auto* other = new TvgTestItem(&FOwner);
  other->SetCanFocused(true);
  FScene.AddObject(other);
  other->SetFocus();
  EXPECT_TRUE(focus->Running());
  EXPECT_TRUE(focus->Inverse());
  FClock.Advance(300);
  FItem->SetDisableFocusEffect(true);
  FItem->SetFocus();
  EXPECT_FALSE(focus->Running());
}

TEST_F(TriggerTest, WaitingLetsEachStartedAnimationEnd) {
  TvgColorAnimation* first = Colour(FText, u"IsMouseOver=false", u"", 0xFF000000, 0xFF0000FF);
  first->SetDuration(0.5f);
  std::vector<TvgColor> atFinish;
  first->OnFinish = TNotifyEvent(u"Finish", [&](TComponent*) { atFinish.push_back(TextColour()); });
  TvgColorAnimation* looping = Colour(FItem, u"IsMouseOver=false", u"", 0, 1);
  looping->SetPropertyName(u"Tag");
  looping->SetLoop(true);
  FItem->StartTriggerAnimationWait(FItem, u"IsMouseOver");
  EXPECT_EQ(atFinish, std::vector<TvgColor>{0xFF0000FFu});
  EXPECT_FALSE(first->Running());
  EXPECT_TRUE(looping->Running());  // not waited for
}

// The About window's button style: the text's colour follows the mouse and the press.
constexpr const char* kButtonStyle =
    "object TvgLayout\n"
    "  object TvgLayout\n    ResourceName = 'MyStateBtn'\n    HitTest = False\n"
    "    object TvgText\n      ResourceName = 'text'\n      Align = vaClient\n      HitTest = False\n"
    "      Fill.Color = '#FFFCFCFC'\n"
    "      object TvgColorAnimation\n        Duration = 0.1\n        Trigger = 'IsPressed=true'\n"
    "        TriggerInverse = 'IsPressed=false'\n        StartValue = '#FFFFFFFF'\n"
    "        StopValue = '#FFC0C0C0'\n        PropertyName = 'Fill.Color'\n      end\n"
    "    end\n  end\nend\n";

TEST_F(TriggerTest, AStyleAppliedAgainShowsTheButtonsState) {
  TvgResources styles(nullptr);
  styles.SetResourceText(FromUtf8(kButtonStyle));
  FScene.SetStyle(&styles);
  auto* button = new TvgButton(&FOwner);
  FScene.AddObject(button);
  button->SetResource(u"MyStateBtn");
  TvgText* text = button->TextPart();
  ASSERT_NE(text, nullptr);
  // Not pressed: the inverse run goes from the pressed colour back to the start value.
  EXPECT_EQ(text->Fill()->Color(), 0xFFC0C0C0u);
  FClock.Advance(200);
  EXPECT_EQ(text->Fill()->Color(), 0xFFFFFFFFu);

  button->SetIsPressed(true);
  button->UpdateResource();
  text = button->TextPart();
  EXPECT_EQ(text->Fill()->Color(), 0xFFFFFFFFu);
  FClock.Advance(200);
  EXPECT_EQ(text->Fill()->Color(), 0xFFC0C0C0u);
  FScene.SetStyle(nullptr);
}

}  // namespace
}  // namespace vd
