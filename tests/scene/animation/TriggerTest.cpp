// Triggers: conditions tested against the object whose state changed, and the animations
// and effects they start, stop or switch in an object and its style parts.

#include <gtest/gtest.h>

#include <vector>

#include "base/Strings.h"
#include "scene/CustomScene.h"
#include "scene/animation/Animations.h"
#include "scene/animation/Effects.h"
#include "scene/animation/Triggers.h"
#include "scene/controls/Text.h"
#include "scene/layout/Containers.h"
#include "scene/style/Control.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TManualClock;

// A control that can be selected, as list items are, with an enumeration to test.
class TvgTestItem : public TvgControl {
public:
  using TvgControl::TvgControl;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TvgTestItem>(u"TvgTestItem", TvgControl::StaticClassInfo())
                                       .Boolean(u"IsSelected", &TvgTestItem::FIsSelected, &TvgTestItem::FIsSelected)
                                       .Enumeration(u"Kind", &TvgTestItem::FKind, &TvgTestItem::FKind, AlignNames())
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  bool FIsSelected = false;
  TvgAlign FKind = vaClient;
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
           Case{"Visible=false;IsSelected=false", true, true}, Case{"VISIBLE = False ;", true, true},
           Case{"Visible=false;IsSelected=true", false, false},
           Case{"Visible=true;IsSelected=false", false, true},  // an animation stops at the first failure
           Case{"Visible=false;IsChecked=true", true, true},    // a property it lacks is passed over
           Case{"IsChecked=true;IsOpen=false", false, false},   // nothing to test
           Case{"Kind=vaclient", true, true},                   // enumerations by value name
           Case{"Tag=0;Visible", false, false},                 // an integer, a clause without "="
       }) {
    EXPECT_EQ(TriggerHolds(item, FromUtf8(c.Condition)), c.Holds) << c.Condition;
    EXPECT_EQ(LastTriggerClauseHolds(item, FromUtf8(c.Condition)), c.LastHolds) << c.Condition;
  }
  EXPECT_TRUE(TriggerNamed(u"IsMouseOver=true;IsSelected=false", u"ismouseover"));
  EXPECT_FALSE(TriggerNamed(u"IsPressed=true", u"IsFocused"));
  EXPECT_FALSE(TriggerNamed(u"IsPressed=true", u""));
}

class TriggerTest : public ::testing::Test {
protected:
  void SetUp() override {
    FScene.AddObject(FItem);
    // Style parts, locked and letting the mouse through: a text in a layout.
    FItem->AddObject(FPart);
    FPart->AddObject(FText);
    for (TvgVisualObject* part : std::initializer_list<TvgVisualObject*>{FPart, FText}) {
      part->SetLocked(true);
      part->SetHitTest(false);
    }
  }

  TvgColorAnimation* Colour(TvgObject* parent, const char16_t* trigger, const char16_t* inverse = u"",
                            TvgColor stop = 0xFF0000FF) {
    auto* animation = new TvgColorAnimation(&FOwner);
    animation->SetPropertyName(u"Fill.Color");
    animation->SetTrigger(trigger);
    animation->SetTriggerInverse(inverse);
    animation->SetStartColor(0xFF000000);
    animation->SetStopColor(stop);
    parent->AddObject(animation);
    return animation;
  }
  TvgColor TextColour() const { return FText->Fill()->Color(); }

  TManualClock FClock;
  TComponent FOwner{nullptr};
  TvgCustomScene FScene{nullptr};
  TvgTestItem* FItem = new TvgTestItem(&FOwner);
  TvgLayout* FPart = new TvgLayout(&FOwner);
  TvgText* FText = new TvgText(&FOwner);
};

TEST_F(TriggerTest, MouseOverStartsOnlyWhileNotSelectedAndLeavingRunsBack) {
  TvgColorAnimation* hover = Colour(FText, u"IsMouseOver=true;IsSelected=false", u"IsMouseOver=false");
  FItem->FIsSelected = true;
  FItem->MouseEnter();
  EXPECT_FALSE(hover->Running());
  FItem->MouseLeave();  // the inverse condition holds: backwards
  EXPECT_TRUE(hover->Running() && hover->Inverse());
  FItem->FIsSelected = false;
  FItem->MouseEnter();
  EXPECT_TRUE(hover->Running() && !hover->Inverse());
  FClock.Advance(300);
  EXPECT_EQ(TextColour(), 0xFF0000FFu);

  // A condition none of whose properties the object has never starts.
  TvgColorAnimation* checked = Colour(FText, u"IsChecked=true;IsOpen=true");
  FItem->StartTriggerAnimation(FItem, u"IsChecked");
  EXPECT_FALSE(checked->Running());
}

TEST_F(TriggerTest, OppositeTriggersSnapThenStartFromTheCurrentValue) {
  TvgColorAnimation* over = Colour(FText, u"IsMouseOver=true", u"", 0xFF00FF00);
  TvgColorAnimation* out = Colour(FText, u"IsMouseOver=false");
  over->SetStartFromCurrent(true);
  out->SetStartFromCurrent(true);
  FText->Fill()->SetColor(0xFF200000);
  FItem->MouseEnter();
  EXPECT_EQ(over->StartColor(), 0xFF200000u);
  FClock.Advance(99);
  FItem->MouseLeave();
  // The running one snapped to its end, and the other starts there.
  EXPECT_FALSE(over->Running());
  EXPECT_EQ(out->StartColor(), 0xFF00FF00u);
  EXPECT_TRUE(out->Running());
  FClock.Advance(300);
  EXPECT_EQ(TextColour(), 0xFF0000FFu);
}

TEST_F(TriggerTest, OnlyStylePartsAreSearchedAndOnlyTriggeredAnimationsStopped) {
  TvgColorAnimation* inPart = Colour(FText, u"IsMouseOver=true");
  auto* plain = new TvgText(&FOwner);  // not locked: not a style part
  FItem->AddObject(plain);
  TvgColorAnimation* inPlain = Colour(plain, u"IsMouseOver=true");
  auto* hit = new TvgText(&FOwner);  // locked but taking the mouse
  hit->SetLocked(true);
  FItem->AddObject(hit);
  TvgColorAnimation* inHit = Colour(hit, u"IsMouseOver=true");
  FItem->MouseEnter();
  EXPECT_TRUE(inPart->Running());
  EXPECT_FALSE(inPlain->Running() || inHit->Running());

  // An animation started by hand, without a trigger, runs on through triggers.
  TvgColorAnimation* manual = Colour(FText, u"");
  manual->SetName(u"Manual");
  FText->StartAnimation(u"MANUAL");
  FItem->StopTriggerAnimation(FItem);
  EXPECT_FALSE(inPart->Running());
  EXPECT_TRUE(manual->Running());
  FText->StopAnimation(u"manual");
  EXPECT_FALSE(manual->Running());
}

TEST_F(TriggerTest, EffectsAndFocus) {
  // An effect follows the last clause that the object can answer.
  auto* glow = new TvgEffect(&FOwner);
  glow->SetTrigger(u"IsFocused=true;IsChecked=true");
  FText->AddObject(glow);
  FItem->SetCanFocused(true);
  FItem->SetFocus();
  EXPECT_TRUE(glow->Enabled());
  FScene.SetFocused(nullptr);
  EXPECT_FALSE(glow->Enabled());
  glow->SetEnabled(true);
  glow->SetTrigger(u"IsChecked=true;IsFocusedTwice=true");  // named, but nothing to answer
  FItem->SetFocus();
  EXPECT_FALSE(glow->Enabled());

  // Focus raises IsFocused, unless its effect is off.
  TvgColorAnimation* focus = Colour(FText, u"IsFocused=true");
  FScene.SetFocused(nullptr);
  FItem->SetFocus();
  EXPECT_TRUE(focus->Running());
  FScene.SetFocused(nullptr);
  FItem->SetDisableFocusEffect(true);
  FItem->SetFocus();
  EXPECT_FALSE(focus->Running());
}

TEST_F(TriggerTest, WaitingLetsEachStartedAnimationEnd) {
  TvgColorAnimation* first = Colour(FText, u"IsMouseOver=false");
  std::vector<TvgColor> atFinish;
  first->OnFinish = TNotifyEvent(u"Finish", [&](TComponent*) { atFinish.push_back(TextColour()); });
  TvgColorAnimation* looping = Colour(FItem, u"IsMouseOver=false");
  looping->SetPropertyName(u"Tag");
  looping->SetLoop(true);
  FItem->StartTriggerAnimationWait(FItem, u"IsMouseOver");
  EXPECT_EQ(atFinish, std::vector<TvgColor>{0xFF0000FFu});
  EXPECT_TRUE(looping->Running());  // not waited for
}

}  // namespace
}  // namespace vd
