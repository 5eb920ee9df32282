#pragma once
// A scene in the shape of the About window's: a root and a background picture that let the
// mouse through, the OK button at (208, 325) to (302, 352) with its three pictures, and a
// rectangle holding the web button (an image) at (68, 263) to (145, 294), in the form's units.
// The scene's clock is a manual one, made before the scene and ended after it.

#include "scene/CustomScene.h"
#include "scene/controls/Buttons.h"
#include "scene/controls/Image.h"
#include "scene/controls/Shapes.h"
#include "scene/layout/Containers.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd::scene_test {

struct TAboutShapedScene {
  TAboutShapedScene() {
    FHost.FBounds = {100, 50, 604, 450};
    FScene.SetHost(&FHost);
    FScene.AddObject(FRoot);
    FRoot->SetHitTest(false);
    FImage->SetHitTest(false);
    for (TvgBitmap* picture : {FOK->Bitmap(), FOK->BitmapHot(), FOK->BitmapDown()}) picture->SetPNG(PngOfSize(94, 27));
  }

  template <class T>
  T* Make(TvgObject* parent, float x, float y, float width, float height) {
    auto* object = new T(&FOwner);
    object->Position()->SetPoint({x, y});
    object->SetSize(width, height);
    if (parent) parent->AddObject(object);
    return object;
  }

  TManualClock FClock;
  TComponent FOwner{nullptr};
  TStandInHost FHost;
  TvgCustomScene FScene{nullptr};
  TvgLayout* FRoot = Make<TvgLayout>(nullptr, 0, 0, 504, 400);
  TvgImage* FImage = Make<TvgImage>(FRoot, 0, 0, 504, 400);
  TvgBitmapStateButton* FOK = Make<TvgBitmapStateButton>(FImage, 208, 325, 94, 27);
  TvgRectangle* FRectangle = Make<TvgRectangle>(FImage, 43, 81, 425, 223);
  TvgImage* FWeb = Make<TvgImage>(FRectangle, 25, 182, 77, 31);
};

}  // namespace vd::scene_test
