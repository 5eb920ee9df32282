// Property animations on the shared clock: runs at once and over time, delays, loops, a
// hidden parent, the caret's throttle, colour and float steps through property paths, and
// animations on the fly.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "scene/AnimationClock.h"
#include "scene/Animations.h"
#include "scene/Layouts.h"
#include "scene/Scene.h"
#include "scene/Text.h"
#include "streams/Strings.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TManualClock;
using scene_test::TStandInHost;

constexpr std::uint32_t kTick = TvgAniThread::kInterval;

class AnimationTest : public ::testing::Test {
protected:
  void SetUp() override {
    FScene.SetHost(&FHost);
    FRoot = new TvgLayout(&FOwner);
    FScene.AddObject(FRoot);
    FText = new TvgText(&FOwner);
    FRoot->AddObject(FText);
    FText->Fill()->SetColor(0xFF000000);
  }

  // A colour animation of the text's Fill.Color, 1 s long.
  TvgColorAnimation* Colour(TvgColor start, TvgColor stop, TvgObject* parent = nullptr) {
    auto* animation = new TvgColorAnimation(&FOwner);
    animation->SetPropertyName(u"Fill.Color");
    animation->SetStartColor(start);
    animation->SetStopColor(stop);
    animation->SetDuration(1);
    animation->OnFinish = TNotifyEvent(u"Finish", [this](TComponent*) { ++FFinished; });
    (parent ? parent : FText)->AddObject(animation);
    return animation;
  }
  TvgColor TextColour() const { return FText->Fill()->Color(); }
  void Ticks(int count) { FClock.Advance(count * kTick); }

  TManualClock FClock;
  TComponent FOwner{nullptr};
  TStandInHost FHost;
  TvgCustomScene FScene{nullptr};
  TvgLayout* FRoot = nullptr;
  TvgText* FText = nullptr;
  int FFinished = 0;
};

TEST_F(AnimationTest, ANewAnimationHasItsDefaults) {
  const TvgFloatAnimation animation(nullptr);
  EXPECT_EQ(animation.Duration(), 0.2f);
  EXPECT_EQ(animation.Delay(), 0);
  EXPECT_FALSE(animation.Inverse() || animation.Loop() || animation.AutoReverse() || animation.Enabled() ||
               animation.HideOnFinish() || animation.StartFromCurrent() || animation.Running());
  EXPECT_EQ(animation.Interpolation(), vgInterpolationLinear);
  EXPECT_EQ(animation.AnimationType(), vgAnimationIn);
  EXPECT_TRUE(animation.Trigger().empty() && animation.TriggerInverse().empty());
  const TvgColorAnimation colour(nullptr);
  EXPECT_EQ(colour.StartColor(), 0xFFFFFFFFu);
  EXPECT_EQ(colour.StopColor(), 0xFFFFFFFFu);
}

TEST_F(AnimationTest, ARunWithoutDurationJumpsToTheStopValueAndKeepsATinyDuration) {
  TvgColorAnimation* animation = Colour(0xFF102030, 0xFF405060);
  animation->SetDuration(0);
  animation->Start();
  EXPECT_EQ(TextColour(), 0xFF405060u);
  EXPECT_EQ(FFinished, 1);
  EXPECT_FALSE(animation->Running());
  EXPECT_FALSE(animation->Enabled());
  EXPECT_EQ(animation->Duration(), 0.00001f);

  // Backwards it lands on the start value; so does every later run, however long it was.
  animation->SetInverse(true);
  animation->Start();
  EXPECT_EQ(TextColour(), 0xFF102030u);
  EXPECT_EQ(FFinished, 2);

  // Outside a scene and in design mode a run happens at once too.
  auto* loose = new TvgText(&FOwner);
  TvgColorAnimation* outside = Colour(0, 0xFF00FF00, loose);
  outside->Start();
  EXPECT_EQ(loose->Fill()->Color(), 0xFF00FF00u);
  FScene.SetDesigning(true);
  TvgColorAnimation* designed = Colour(0, 0xFF0000FF);
  designed->Start();
  EXPECT_EQ(TextColour(), 0xFF0000FFu);
  EXPECT_EQ(FFinished, 4);
}

TEST_F(AnimationTest, ARunFollowsTheClockAndEndsOnTheStopValue) {
  TvgFloatAnimation animation(nullptr);
  FText->AddObject(&animation);
  animation.SetPropertyName(u"Opacity");
  animation.SetStartValue(0);
  animation.SetStopValue(1);
  animation.SetDuration(0.32f);
  std::vector<float> steps;
  animation.OnProcess = TNotifyEvent(u"Process", [&](TComponent*) { steps.push_back(FText->Opacity()); });
  animation.OnFinish = TNotifyEvent(u"Finish", [this](TComponent*) { ++FFinished; });
  animation.Start();
  EXPECT_TRUE(animation.Running());
  EXPECT_TRUE(animation.Enabled());
  EXPECT_EQ(FText->Opacity(), 0);  // the first step runs at once
  Ticks(5);
  EXPECT_NEAR(FText->Opacity(), 0.165f / 0.32f, 1e-5);
  Ticks(5);
  EXPECT_EQ(FText->Opacity(), 1);
  EXPECT_FALSE(animation.Running());
  EXPECT_EQ(FFinished, 1);
  EXPECT_EQ(steps.size(), 10u);
  Ticks(5);
  EXPECT_EQ(steps.size(), 10u);  // off the clock
}

TEST_F(AnimationTest, ADelayHoldsTheRunBack) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->SetDelay(0.1f);
  FText->Fill()->SetColor(0xFFFFFFFF);
  animation->Start();
  EXPECT_EQ(animation->NormalizedTime(), 0);
  Ticks(3);  // 99 ms of 100
  EXPECT_EQ(TextColour(), 0xFFFFFFFFu);
  Ticks(1);  // the delay ends: the run starts, its first step comes with the next tick
  EXPECT_EQ(TextColour(), 0xFFFFFFFFu);
  Ticks(1);
  EXPECT_EQ(TextColour(), 0xFF000008u);  // Trunc(0.033 × 255)
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
  ASSERT_EQ(times.size(), 7u);
  const std::vector<float> expected{0.033f, 0.066f, 0.09f, 0.057f, 0.024f, 0, 0.033f};
  for (std::size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], expected[i], 1e-5) << i;
  Ticks(300);
  EXPECT_EQ(FFinished, 0);
  EXPECT_TRUE(animation->Running());

  // Loop alone starts over from the beginning.
  animation->SetAutoReverse(false);
  animation->SetInverse(false);
  animation->Start();
  times.clear();
  Ticks(4);
  EXPECT_NEAR(times[2], 0, 1e-6);  // past the end: back to the start
  EXPECT_NEAR(times[3], 0.033f, 1e-5);
  EXPECT_EQ(FFinished, 0);
}

TEST_F(AnimationTest, AHiddenParentKeepsTheAnimationFromRunning) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  FText->SetVisible(false);
  animation->Start();
  EXPECT_FALSE(animation->Running());
  EXPECT_EQ(TextColour(), 0xFF000000u);

  // Hidden while running: stopped at the end value on the next tick.
  FText->SetVisible(true);
  animation->Start();
  Ticks(2);
  FText->SetVisible(false);
  Ticks(1);
  EXPECT_FALSE(animation->Running());
  EXPECT_EQ(TextColour(), 0xFF0000FFu);
  EXPECT_EQ(FFinished, 1);
}

TEST_F(AnimationTest, StopEndsAtTheEndValueAndStopAtCurrentWhereItIs) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->Start();
  Ticks(10);
  const TvgColor halfway = TextColour();
  animation->StopAtCurrent();
  EXPECT_EQ(TextColour(), halfway);
  EXPECT_FALSE(animation->Enabled());
  animation->Start();
  Ticks(10);
  animation->Stop();
  EXPECT_EQ(TextColour(), 0xFF0000FFu);
  animation->SetInverse(true);
  animation->Start();
  animation->Stop();
  EXPECT_EQ(TextColour(), 0xFF000000u);
  EXPECT_EQ(FFinished, 3);
  animation->Stop();  // not running: nothing
  EXPECT_EQ(FFinished, 3);
}

TEST_F(AnimationTest, OvershootingColourStepsWrapEachChannel) {
  // Back eases in below the start, Elastic eases out above the stop; each channel keeps
  // its low 8 bits.
  const double t = 5 * 0.033;
  const double back = t * t * ((1.70158 + 1) * t - 1.70158);
  const double elastic = std::pow(2, -10 * t) * std::sin((t - 0.075) * 2 * std::numbers::pi / 0.3) + 1;
  const auto channel = [](int start, int stop, double eased) {
    return static_cast<TvgColor>((start + static_cast<int>(std::trunc(eased * (stop - start)))) & 0xFF);
  };
  struct Case {
    TvgInterpolationType Interpolation;
    TvgAnimationType Type;
    double Eased;
    TvgColor Channel;
  };
  // From 0x02 to 0xF0 in every channel: Back goes to 2 - 8, Elastic to 2 + 310.
  for (const Case& c : {Case{vgInterpolationBack, vgAnimationIn, back, 0xFA},
                        Case{vgInterpolationElastic, vgAnimationOut, elastic, 0x38}}) {
    TvgColorAnimation* animation = Colour(0x02020202, 0xF0F0F0F0);
    animation->SetInterpolation(c.Interpolation);
    animation->SetAnimationType(c.Type);
    animation->Start();
    Ticks(5);
    EXPECT_EQ(channel(0x02, 0xF0, c.Eased), c.Channel) << c.Interpolation;
    EXPECT_EQ(TextColour(), c.Channel * 0x01010101u) << c.Interpolation;
    animation->Stop();
  }
}

TEST_F(AnimationTest, TargetsArePathsToStringOrIntegerColoursAndFloats) {
  // An integer property takes the colour as a number; StartFromCurrent reads it.
  TvgColorAnimation* tag = Colour(0, 0x0000C800, FText);
  tag->SetPropertyName(u"Tag");
  tag->SetStartFromCurrent(true);
  FText->SetTag(0x100);
  tag->Start();
  EXPECT_EQ(tag->StartColor(), 0x100u);
  Ticks(15);
  EXPECT_EQ(FText->Tag(), (1 + static_cast<int>(std::trunc(0.495 * (0xC8 - 1)))) << 8);  // per channel
  tag->Stop();
  EXPECT_EQ(FText->Tag(), 0xC800);

  // A string property takes the colour's text; StartFromCurrent reads it back.
  TvgColorAnimation* fill = Colour(0, 0xFF0000FF);
  fill->SetStartFromCurrent(true);
  FText->Fill()->SetColor(0xFF000011);
  fill->Start();
  EXPECT_EQ(fill->StartColor(), 0xFF000011u);
  fill->Stop();

  // Float properties, through a path: "Position.X" moves the text.
  auto* move = new TvgFloatAnimation(&FOwner);
  FText->AddObject(move);
  move->SetPropertyName(u"Position.X");
  move->SetStartFromCurrent(true);
  move->SetStopValue(40);
  FText->Position()->SetX(10);
  move->Start();
  EXPECT_EQ(move->StartValue(), 10);
  move->Stop();
  EXPECT_EQ(FText->Position()->X(), 40);

  // Names that lead nowhere change nothing; the target is found again after a move.
  move->SetPropertyName(u"Nothing.Here");
  move->Start();
  move->Stop();
  move->SetPropertyName(u"Width");
  auto* other = new TvgText(&FOwner);
  FRoot->AddObject(other);
  move->Start();
  move->Stop();
  other->AddObject(move);
  move->Start();
  move->Stop();
  EXPECT_EQ(FText->Width(), 40);
  EXPECT_EQ(other->Width(), 40);
}

TEST_F(AnimationTest, TheClockWalksFromTheLastAndSurvivesRemovals) {
  std::vector<std::string> order;
  std::vector<TvgFloatAnimation*> animations;
  for (const char16_t* name : {u"a", u"b", u"c", u"d"}) {
    auto* animation = new TvgFloatAnimation(&FOwner);
    animation->SetName(name);
    animation->SetDuration(0.05f);
    FText->AddObject(animation);
    animation->OnProcess =
        TNotifyEvent(u"Process", [&order, animation](TComponent*) { order.push_back(ToUtf8(animation->Name())); });
    animations.push_back(animation);
  }
  // When c finishes it frees a; all end on the same tick.
  animations[2]->OnFinish = TNotifyEvent(u"Finish", [&](TComponent*) { delete animations[0]; });
  for (TvgFloatAnimation* animation : animations) animation->Start();
  Ticks(2);
  EXPECT_EQ(order, (std::vector<std::string>{"d", "c", "b", "a", "d", "c", "b"}));
  EXPECT_FALSE(animations[1]->Running());
  EXPECT_FALSE(TvgAniThread::Current()->Contains(animations[1]));
}

TEST_F(AnimationTest, TheCaretAdvancesOnEveryThirdTick) {
  TvgColorAnimation* caret = Colour(0xFF000000, 0xFF0000FF);
  caret->SetBindingName(u"Caret");
  TvgColorAnimation* other = Colour(0xFF000000, 0xFF0000FF, FRoot);
  other->SetPropertyName(u"Tag");
  caret->Start();
  other->Start();
  Ticks(6);
  EXPECT_NEAR(caret->CurrentTime(), 0.066f, 1e-5);
  EXPECT_NEAR(other->CurrentTime(), 0.198f, 1e-5);
  EXPECT_EQ(caret->Tag(), 6);
}

TEST_F(AnimationTest, EnabledStartsAndStopsButNotWhileLoadingOrInACopy) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->SetEnabled(true);
  EXPECT_TRUE(animation->Running());
  animation->SetEnabled(false);
  EXPECT_FALSE(animation->Running());
  EXPECT_EQ(TextColour(), 0xFF0000FFu);

  // Read into the scene's tree, a stored enabled animation starts once loading ends.
  TMemoryStream form = scene_test::TextStream(
      "object T: TvgText\n  object A: TvgColorAnimation\n    Enabled = True\n    StartValue = '#FF000000'\n"
      "    StopValue = '#FF00FF00'\n    PropertyName = 'Fill.Color'\n  end\nend\n");
  auto* read = new TvgText(&FOwner);
  FRoot->AddObject(read);
  read->LoadFromStream(form);
  ASSERT_EQ(read->ChildrenCount(), 1);
  EXPECT_TRUE(dynamic_cast<TvgAnimation*>(read->Children(0))->Running());
  // A copy (a style's clone, say) keeps it as it was stored.
  std::unique_ptr<TvgObject> copy(read->Clone(nullptr));
  auto* copied = dynamic_cast<TvgAnimation*>(copy->Children(0));
  EXPECT_TRUE(copied->Enabled());
  EXPECT_FALSE(copied->Running());
  EXPECT_EQ(dynamic_cast<TvgText*>(copy.get())->Fill()->Color(), 0xFF000000u);
}

TEST_F(AnimationTest, AnimationsOnTheFlyStartFromTheCurrentValueAndGo) {
  FText->Position()->SetY(5);
  FText->AnimateFloat(u"Position.Y", 25, 0.33f);
  ASSERT_EQ(FText->ChildrenCount(), 1);
  EXPECT_FALSE(FText->Children(0)->Stored());
  Ticks(5);
  EXPECT_NEAR(FText->Position()->Y(), 15, 1e-4);
  Ticks(6);
  EXPECT_EQ(FText->Position()->Y(), 25);
  EXPECT_EQ(FText->ChildrenCount(), 0);  // released once it ended

  FText->AnimateColor(u"Fill.Color", 0xFF00FF00, 0.1f);
  FText->AnimateFloatDelay(u"Opacity", 0.5f, 0.1f, 0.2f);
  Ticks(4);
  EXPECT_EQ(TextColour(), 0xFF00FF00u);
  EXPECT_EQ(FText->Opacity(), 1);
  Ticks(10);
  EXPECT_EQ(FText->Opacity(), 0.5f);

  // Waiting lets the clock run until the value has arrived.
  FText->AnimateFloatWait(u"Width", 80, 0.2f);
  EXPECT_EQ(FText->Width(), 80);
  Ticks(1);
  EXPECT_EQ(FText->ChildrenCount(), 0);
}

TEST_F(AnimationTest, AnotherClockStopsTheAnimationClock) {
  TvgColorAnimation* animation = Colour(0xFF000000, 0xFF0000FF);
  animation->Start();
  {
    TManualClock other;
    EXPECT_EQ(TvgAniThread::Current(), nullptr);
    Ticks(5);  // the old clock no longer drives it
    EXPECT_EQ(TextColour(), 0xFF000000u);
    animation->Start();
    other.Advance(5 * kTick);
    EXPECT_NE(TextColour(), 0xFF000000u);
  }
  EXPECT_EQ(TvgAniThread::Current(), nullptr);
}

}  // namespace
}  // namespace vd
