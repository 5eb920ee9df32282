// The About window's OK button with the monitor's own style set: the mouse and the clock
// move the colour of the button's text through the style's animations.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/Strings.h"
#include "scene/CustomScene.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Text.h"
#include "scene/layout/Containers.h"
#include "scene/style/StyleSet.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TManualClock;
using scene_test::TStandInHost;

std::string ReadText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error(std::string("missing ") + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ButtonStyleTest, TheTextColourFollowsTheMouseOverTimeAndLandsOnTheStopValues) {
  TManualClock clock;
  TComponent owner(nullptr);
  TStandInHost host;
  TvgCustomScene scene(nullptr);
  scene.SetHost(&host);
  TvgResources styles(nullptr);
  styles.SetResourceText(FromUtf8(ReadText(VD_MONITOR_STYLES_FORM)));
  scene.SetStyle(&styles);
  auto* root = new TvgLayout(&owner);
  root->SetSize(504, 400);
  root->SetHitTest(false);
  scene.AddObject(root);
  auto* button = new TvgBitmapStateButton(&owner);
  button->Position()->SetPoint({208, 325});
  button->SetSize(94, 27);
  root->AddObject(button);
  int clicks = 0;
  button->OnClick = TNotifyEvent(u"BtnOKClick", [&](TComponent*) { ++clicks; });
  button->SetResource(u"MyStateBtn");
  const TvgText* text = button->TextPart();
  ASSERT_NE(text, nullptr);
  const auto colour = [&] { return text->Fill()->Color(); };
  // The fresh style is told the button is not pressed: the press animation runs back.
  EXPECT_EQ(colour(), 0xFFC0C0C0u);
  clock.Advance(200);
  EXPECT_EQ(colour(), 0xFFFCFCFCu);

  // Over the button: from #FFFCFCFC to #FFFFFFFF in 0.2 s, linear.
  scene.MouseMove(0, 250, 340);
  EXPECT_EQ(colour(), 0xFFFCFCFCu);
  clock.Advance(99);
  EXPECT_EQ(colour(), 0xFFFDFDFDu);  // FC + Trunc(0.495 × 3)
  clock.Advance(200);
  EXPECT_EQ(colour(), 0xFFFFFFFFu);

  // Pressed: from #FFFCFCFC to #FFC0C0C0 in 0.125 s, quadratic out.
  scene.MouseDown(mbLeft, ssLeft, 250, 340);
  EXPECT_EQ(colour(), 0xFFFCFCFCu);
  clock.Advance(33);
  EXPECT_EQ(colour(), 0xFFE1E1E1u);  // FC - Trunc(0.458304 × 60), 0.458304 = 0.264 × (2 - 0.264)
  clock.Advance(99);
  EXPECT_EQ(colour(), 0xFFC0C0C0u);

  // Released: back to #FFFCFCFC, one click.
  scene.MouseUp(mbLeft, 0, 250, 340);
  EXPECT_EQ(colour(), 0xFFC0C0C0u);
  clock.Advance(66);
  EXPECT_NE(colour(), 0xFFC0C0C0u);
  EXPECT_NE(colour(), 0xFFFCFCFCu);
  clock.Advance(66);
  EXPECT_EQ(colour(), 0xFFFCFCFCu);
  EXPECT_EQ(clicks, 1);

  // Off the button: from white back to #FFFCFCFC.
  scene.MouseMove(0, 100, 100);
  EXPECT_EQ(colour(), 0xFFFFFFFFu);
  clock.Advance(231);
  EXPECT_EQ(colour(), 0xFFFCFCFCu);
  scene.SetStyle(nullptr);
}

}  // namespace
}  // namespace vd
