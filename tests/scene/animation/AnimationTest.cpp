// Property animations on the shared clock: runs at once and over time, delays, loops, a
// hidden parent, the caret's throttle, colour and float steps through property paths, and
// animations on the fly.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "base/Strings.h"
#include "scene/CustomScene.h"
#include "scene/animation/AnimateProperty.h"
#include "scene/animation/AnimationClock.h"
#include "scene/animation/Animations.h"
#include "scene/controls/Text.h"
#include "scene/layout/Containers.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TManualClock;

class AnimationTest : public ::testing::Test {
protected:
  void SetUp() override {
    FScene.AddObject(FRoot);
    FRoot->AddObject(FText);
    FText->Fill()->SetColor(0xFF000000);
  }

  // An animation of the text's Fill.Color (or of `property` of `parent`), 1 s long.
  template <class T = TvgColorAnimation>
  T* Make(TvgObject* parent = nullptr, const char16_t* property = u"Fill.Color") {
    auto* animation = new T(&FOwner);
    animation->SetPropertyName(property);
    animation->SetDuration(1);
    animation->OnFinish = TNotifyEvent(u"Finish", [this](TComponent*) { ++FFinished; });
    (parent ? parent : FText)->AddObject(animation);
    return animation;
  }
  TvgColorAnimation* Colour(TvgColor start, TvgColor stop) {
    TvgColorAnimation* animation = Make();
    animation->SetStartColor(start);
    animation->SetStopColor(stop);
    return animation;
  }
  TvgColor TextColour() const { return FText->Fill()->Color(); }
  void Ticks(int count) { FClock.Advance(count * TvgAniThread::kInterval); }

  TManualClock FClock;
  TComponent FOwner{nullptr};
  TvgCustomScene FScene{nullptr};
  TvgLayout* FRoot = new TvgLayout(&FOwner);
  TvgText* FText = new TvgText(&FOwner);
  int FFinished = 0;
};

TEST_F(AnimationTest, ANewAnimationHasItsDefaults) {
  const TvgColorAnimation a(nullptr);
  EXPECT_TRUE(a.Duration() == 0.2f && a.Delay() == 0 && a.StartColor() == 0xFFFFFFFF && a.StopColor() == 0xFFFFFFFF);
  EXPECT_FALSE(a.Inverse() || a.Loop() || a.AutoReverse() || a.Enabled() || a.HideOnFinish() || a.StartFromCurrent());
  EXPECT_TRUE(a.Interpolation() == vgInterpolationLinear && a.AnimationType() == vgAnimationIn);
}

TEST_F(AnimationTest, ARunWithoutDurationSceneOrOutsideDesignHappensAtOnce) {
  TvgColorAnimation* animation = Colour(0xFF102030, 0xFF405060);
  animation->SetDuration(0);
  animation->Start();
  EXPECT_EQ(TextColour(), 0xFF405060u);
  EXPECT_EQ(FFinished, 1);
  EXPECT_FALSE(animation->Running() || animation->Enabled());
  EXPECT_EQ(animation->Duration(), 0.00001f);  // and so every later run is at once too
  animation->SetInverse(true);
  animation->Start();
  EXPECT_EQ(TextColour(), 0xFF102030u);

  FScene.RemoveObject(FRoot);  // no scene
  Colour(0, 0xFF00FF00)->Start();
  EXPECT_EQ(TextColour(), 0xFF00FF00u);
  FScene.AddObject(FRoot);
  FScene.SetDesigning(true);
  Colour(0, 0xFF0000FF)->Start();
  EXPECT_EQ(TextColour(), 0xFF0000FFu);
  EXPECT_EQ(FFinished, 4);
}

TEST_F(AnimationTest, ARunWaitsItsDelayFollowsTheClockAndEndsOnTheStopValue) {
  auto* animation = Make<TvgFloatAnimation>(FText, u"Opacity");
  animation->SetStopValue(1);
  animation->SetDuration(0.32f);
  animation->SetDelay(0.05f);
  int steps = 0;
  animation->OnProcess = TNotifyEvent(u"Process", [&](TComponent*) { ++steps; });
  FText->SetOpacity(0.7f);
  animation->Start();
  EXPECT_TRUE(animation->Running() && animation->Enabled());
  Ticks(2);  // the delay ends; the run's first step comes with the next tick
  EXPECT_EQ(FText->Opacity(), 0.7f);
  Ticks(5);
  EXPECT_NEAR(FText->Opacity(), 0.165f / 0.32f, 1e-5);
  Ticks(5);
  EXPECT_EQ(FText->Opacity(), 1);
  EXPECT_FALSE(animation->Running());
  EXPECT_EQ(FFinished, 1);
  EXPECT_EQ(steps, 10);
}

TEST_F(AnimationTest, LoopWithAutoReverseRunsBackAndForthAndNeverFinishes) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->SetDuration(0.09f);
  animation->SetLoop(true);
  animation->SetAutoReverse(true);
  animation->Start();
  std::vector<float> times;
  animation->OnProcess = TNotifyEvent(u"Process", [&](TComponent*) { times.push_back(animation->CurrentTime()); });
  Ticks(7);
  const std::vector<float> expected{0.033f, 0.066f, 0.09f, 0.057f, 0.024f, 0, 0.033f};
  ASSERT_EQ(times.size(), expected.size());
  for (std::size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], expected[i], 1e-5) << i;
  Ticks(300);
  EXPECT_EQ(FFinished, 0);
  EXPECT_TRUE(animation->Running());
}

TEST_F(AnimationTest, StopLandsOnTheEndStopAtCurrentStaysAndAHiddenParentStops) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->Start();
  Ticks(10);
  const TvgColor halfway = TextColour();
  animation->StopAtCurrent();
  EXPECT_EQ(TextColour(), halfway);
  animation->SetInverse(true);
  animation->Start();
  animation->Stop();
  EXPECT_EQ(TextColour(), 0xFF000000u);
  EXPECT_EQ(FFinished, 2);
  animation->Stop();  // not running: nothing
  EXPECT_EQ(FFinished, 2);

  animation->SetInverse(false);
  FText->SetVisible(false);
  animation->Start();
  EXPECT_FALSE(animation->Running());
  FText->SetVisible(true);
  animation->Start();
  FText->SetVisible(false);
  Ticks(1);
  EXPECT_FALSE(animation->Running());
  EXPECT_EQ(TextColour(), 0xFF0000FFu);
}

TEST_F(AnimationTest, OvershootingColourStepsWrapEachChannel) {
  // From 0x02 to 0xF0 in every channel, five ticks in: Back eases in below the start, to
  // 2 - 8; Elastic eases out above the stop, to 2 + 310; each channel keeps its low 8 bits.
  const double t = 5 * 0.033;
  const double back = t * t * ((1.70158 + 1) * t - 1.70158);
  const double elastic = std::pow(2, -10 * t) * std::sin((t - 0.075) * 2 * std::numbers::pi / 0.3) + 1;
  struct Case {
    TvgInterpolationType Interpolation;
    TvgAnimationType Type;
    double Eased;
    TvgColor Channel;
  };
  for (const Case& c : {Case{vgInterpolationBack, vgAnimationIn, back, 0xFA},
                        Case{vgInterpolationElastic, vgAnimationOut, elastic, 0x38}}) {
    EXPECT_EQ((2 + static_cast<int>(std::trunc(c.Eased * (0xF0 - 2)))) & 0xFF, static_cast<int>(c.Channel));
    TvgColorAnimation* animation = Colour(0x02020202, 0xF0F0F0F0);
    animation->SetInterpolation(c.Interpolation);
    animation->SetAnimationType(c.Type);
    animation->Start();
    Ticks(5);
    EXPECT_EQ(TextColour(), c.Channel * 0x01010101u) << c.Interpolation;
    animation->Stop();
  }
}

TEST_F(AnimationTest, TargetsArePathsToIntegerOrStringColoursAndFloats) {
  // An integer takes the colour as a number (per channel), read at the start when asked.
  TvgColorAnimation* tag = Make(FText, u"Tag");
  tag->SetStopColor(0xC800);
  tag->SetStartFromCurrent(true);
  FText->SetTag(0x100);
  tag->Start();
  Ticks(15);
  EXPECT_EQ(FText->Tag(), (1 + static_cast<int>(std::trunc(0.495 * (0xC8 - 1)))) << 8);

  // A float through an object: "Position.X" moves the text.
  auto* move = Make<TvgFloatAnimation>(FText, u"Position.X");
  move->SetStartFromCurrent(true);
  move->SetStopValue(40);
  FText->Position()->SetX(10);
  move->Start();
  EXPECT_EQ(move->StartValue(), 10);
  move->Stop();
  EXPECT_EQ(FText->Position()->X(), 40);

  // A name that leads nowhere changes nothing; after a move the new parent is the target.
  move->SetPropertyName(u"Nothing.Here");
  move->Start();
  move->SetPropertyName(u"Width");
  auto* other = new TvgText(&FOwner);
  other->AddObject(move);
  move->Start();  // outside the scene: at once, and off the clock
  EXPECT_EQ(FText->Width(), 50);
  EXPECT_EQ(other->Width(), 40);
  EXPECT_FALSE(TvgAniThread::Current()->Contains(move));
}

TEST_F(AnimationTest, TheClockWalksFromTheLastAndSurvivesRemovals) {
  std::string order;
  std::vector<TvgFloatAnimation*> animations;
  for (const char16_t* name : {u"a", u"b", u"c", u"d"}) {
    auto* animation = Make<TvgFloatAnimation>(FText, u"Opacity");
    animation->SetName(name);
    animation->SetDuration(0.05f);
    animation->OnProcess =
        TNotifyEvent(u"Process", [&order, animation](TComponent*) { order += ToUtf8(animation->Name()); });
    animations.push_back(animation);
  }
  // When c finishes it frees a; all end on the second tick.
  animations[2]->OnFinish = TNotifyEvent(u"Finish", [&](TComponent*) { delete animations[0]; });
  for (TvgFloatAnimation* animation : animations) animation->Start();
  Ticks(2);
  EXPECT_EQ(order, "dcbadcb");
  EXPECT_FALSE(TvgAniThread::Current()->Contains(animations[1]));
}

TEST_F(AnimationTest, TheCaretAdvancesOnEveryThirdTick) {
  TvgColorAnimation* caret = Make();
  caret->SetBindingName(u"Caret");
  TvgColorAnimation* other = Make(FRoot, u"Tag");
  caret->Start();
  other->Start();
  Ticks(6);
  EXPECT_NEAR(caret->CurrentTime(), 0.066f, 1e-5);
  EXPECT_NEAR(other->CurrentTime(), 0.198f, 1e-5);
}

TEST_F(AnimationTest, EnabledStartsAndStopsButNotInACopyBeingRead) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->SetEnabled(true);
  EXPECT_TRUE(animation->Running());
  animation->SetEnabled(false);
  EXPECT_EQ(TextColour(), 0xFF0000FFu);

  // Read into the scene's tree, a stored enabled animation starts when loading ends; in a
  // copy (a style's clone, say) it stays as it was stored.
  TMemoryStream form = scene_test::TextStream(
      "object T: TvgText\n  object A: TvgColorAnimation\n    Enabled = True\n    StartValue = '#FF000000'\n"
      "    StopValue = '#FF00FF00'\n    PropertyName = 'Fill.Color'\n  end\nend\n");
  auto* read = new TvgText(&FOwner);
  FRoot->AddObject(read);
  read->LoadFromStream(form);
  EXPECT_TRUE(dynamic_cast<TvgAnimation*>(read->Children(0))->Running());
  std::unique_ptr<TvgObject> copy(read->Clone(nullptr));
  auto* copied = dynamic_cast<TvgAnimation*>(copy->Children(0));
  EXPECT_TRUE(copied->Enabled() && !copied->Running());
  EXPECT_EQ(dynamic_cast<TvgText*>(copy.get())->Fill()->Color(), 0xFF000000u);
}

TEST_F(AnimationTest, AnimationsOnTheFlyStartFromTheCurrentValueAndGo) {
  FText->Position()->SetY(5);
  AnimateFloat(*FText, u"Position.Y", 25, 0.33f);
  EXPECT_FALSE(FText->Children(0)->Stored());
  Ticks(5);
  EXPECT_NEAR(FText->Position()->Y(), 15, 1e-4);
  Ticks(6);
  EXPECT_EQ(FText->Position()->Y(), 25);
  EXPECT_EQ(FText->ChildrenCount(), 0);  // released once it ended

  AnimateColor(*FText, u"Fill.Color", 0xFF00FF00, 0.1f);
  AnimateFloatDelay(*FText, u"Opacity", 0.5f, 0.1f, 0.2f);
  Ticks(4);
  EXPECT_EQ(TextColour(), 0xFF00FF00u);
  EXPECT_EQ(FText->Opacity(), 1);
  Ticks(10);
  EXPECT_EQ(FText->Opacity(), 0.5f);
  AnimateFloatWait(*FText, u"Width", 80, 0.2f);  // the clock runs meanwhile
  EXPECT_EQ(FText->Width(), 80);
}

TEST_F(AnimationTest, AnAnimationOnTheFlyThatCannotRunLandsOnItsValueAndGoes) {
  // Hidden, the text does not animate; without a clock nothing would advance the run.
  struct TCase {
    const char* Name;
    bool Hidden;
    std::function<void(TvgText&)> Animate;
    std::function<bool(TvgText&)> Landed;
  };
  const TCase cases[] = {
      {"float hidden", true, [](TvgText& t) { AnimateFloat(t, u"Position.Y", 25); },
       [](TvgText& t) { return t.Position()->Y() == 25; }},
      {"colour hidden", true, [](TvgText& t) { AnimateColor(t, u"Fill.Color", 0xFF00FF00); },
       [](TvgText& t) { return t.Fill()->Color() == 0xFF00FF00; }},
      {"delayed float hidden", true, [](TvgText& t) { AnimateFloatDelay(t, u"Opacity", 0.5f, 0.2f, 0.1f); },
       [](TvgText& t) { return t.Opacity() == 0.5f; }},
      {"float waited for hidden", true, [](TvgText& t) { AnimateFloatWait(t, u"Width", 80); },
       [](TvgText& t) { return t.Width() == 80; }},
      {"float without a clock", false, [](TvgText& t) { AnimateFloat(t, u"Position.Y", 25); },
       [](TvgText& t) { return t.Position()->Y() == 25; }},
      {"colour without a clock", false, [](TvgText& t) { AnimateColor(t, u"Fill.Color", 0xFF00FF00); },
       [](TvgText& t) { return t.Fill()->Color() == 0xFF00FF00; }},
  };
  for (const TCase& c : cases) {
    auto* text = new TvgText(&FOwner);
    FRoot->AddObject(text);
    text->SetVisible(!c.Hidden);
    if (!c.Hidden) SetSceneClock(nullptr);
    c.Animate(*text);
    SetSceneClock(&FClock);
    EXPECT_TRUE(c.Landed(*text)) << c.Name;
    EXPECT_EQ(text->ChildrenCount(), 0) << c.Name;
  }
}

// Handlers that free their animation or its parent while the animation is at work: nothing
// touches the freed objects afterwards (AddressSanitizer fails the test otherwise).
struct TFreeingAnimationHandler {
  const char* Name;
  bool OnProcess;    // the handler is OnProcess, else OnFinish
  bool FreesParent;  // it frees the animated text, else the animation
  std::function<void(TvgColorAnimation& animation, TvgText& text, TManualClock& clock, TvgCustomScene& scene)> Run;
};

class AnimationHandlerFreesTest : public AnimationTest,
                                  public ::testing::WithParamInterface<TFreeingAnimationHandler> {};

TEST_P(AnimationHandlerFreesTest, NothingTouchesTheFreedObjects) {
  const TFreeingAnimationHandler& c = GetParam();
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->SetName(u"a");
  TvgObject* victim = c.FreesParent ? static_cast<TvgObject*>(FText) : animation;
  (c.OnProcess ? animation->OnProcess : animation->OnFinish) =
      TNotifyEvent(u"Free", [victim](TComponent*) { delete victim; });
  const TvgObjectGuard watch(victim);
  c.Run(*animation, *FText, FClock, FScene);
  EXPECT_FALSE(watch.Alive());
  EXPECT_FALSE(TvgAniThread::Current() && TvgAniThread::Current()->Contains(animation));
}

void StartAndTick(TvgColorAnimation& animation, TvgText&, TManualClock& clock, TvgCustomScene&) {
  animation.Start();
  clock.Advance(TvgAniThread::kInterval);
}
void HideOnATick(TvgColorAnimation& animation, TvgText& text, TManualClock& clock, TvgCustomScene&) {
  animation.Start();
  text.SetVisible(false);
  clock.Advance(TvgAniThread::kInterval);
}
// The delay ends outside the scene: the run happens at once then.
void DelayEndsOutsideTheScene(TvgColorAnimation& animation, TvgText&, TManualClock& clock, TvgCustomScene& scene) {
  animation.SetDelay(0.05f);
  animation.Start();
  scene.RemoveObject(scene.GetRoot());
  clock.Advance(2 * TvgAniThread::kInterval);
}
void StopByName(TvgColorAnimation& animation, TvgText& text, TManualClock&, TvgCustomScene&) {
  animation.Start();
  text.StopAnimation(u"a");
}
void StartByNameAtOnce(TvgColorAnimation& animation, TvgText& text, TManualClock&, TvgCustomScene&) {
  animation.SetDuration(0);
  text.StartAnimation(u"a");
}
void TriggerAtOnce(TvgColorAnimation& animation, TvgText& text, TManualClock&, TvgCustomScene&) {
  animation.SetDuration(0);
  animation.SetTrigger(u"IsMouseOver=false");
  text.StartTriggerAnimation(&text, u"IsMouseOver");
}
void TriggerAndWait(TvgColorAnimation& animation, TvgText& text, TManualClock&, TvgCustomScene&) {
  animation.SetTrigger(u"IsMouseOver=false");
  text.StartTriggerAnimationWait(&text, u"IsMouseOver");
}
void TriggerAtOnceAndWait(TvgColorAnimation& animation, TvgText& text, TManualClock& clock, TvgCustomScene& scene) {
  animation.SetDuration(0);
  TriggerAndWait(animation, text, clock, scene);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Handlers, AnimationHandlerFreesTest, ::testing::Values(
    TFreeingAnimationHandler{"OnProcessFreesTheAnimation", true, false, StartAndTick},
    TFreeingAnimationHandler{"OnProcessFreesItsParent", true, true, StartAndTick},
    TFreeingAnimationHandler{"OnFinishOfAStopOnATickFreesItsParent", false, true, HideOnATick},
    TFreeingAnimationHandler{"OnFinishOfARunAfterTheDelayFreesTheAnimation", false, false, DelayEndsOutsideTheScene},
    TFreeingAnimationHandler{"OnFinishOfAStopByNameFreesItsParent", false, true, StopByName},
    TFreeingAnimationHandler{"OnFinishOfAStartByNameFreesItsParent", false, true, StartByNameAtOnce},
    TFreeingAnimationHandler{"OnFinishOfATriggeredRunFreesItsParent", false, true, TriggerAtOnce},
    TFreeingAnimationHandler{"OnFinishOfAWaitedRunFreesTheAnimationAtOnce", false, false, TriggerAtOnceAndWait},
    TFreeingAnimationHandler{"OnFinishOfAWaitedRunFreesItsParent", false, true, TriggerAndWait}),
    [](const ::testing::TestParamInfo<TFreeingAnimationHandler>& info) { return info.param.Name; });
// clang-format on

TEST_F(AnimationTest, AnotherClockTakesOverTheAnimations) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->Start();
  TManualClock other;
  Ticks(5);  // the old clock no longer drives it
  EXPECT_EQ(TextColour(), 0xFF000000u);
  animation->Start();
  other.Advance(5 * TvgAniThread::kInterval);
  EXPECT_NE(TextColour(), 0xFF000000u);
}

}  // namespace
}  // namespace vd
