#include "scene/controls/Background.h"

#include "scene/tree/SceneInterface.h"

namespace vd {

TvgBackground::TvgBackground(TComponent* AOwner) : TvgControl(AOwner) {
  FFill->OnChanged = [this] { Repaint(); };
}

const TClassInfo& TvgBackground::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TvgBackground>(u"TvgBackground", TvgControl::StaticClassInfo())
                                     .Creatable()
                                     .Object(u"Fill", &TvgBackground::Fill)
                                     .Build();
  return info;
}

void TvgBackground::Paint(IvgCanvas& canvas) {
  if (FFill->Style() == vgBrushSolid) canvas.FillRect(LocalRect(), FFill->Color(), AbsoluteOpacity());
}

void TvgBackground::PaintChildren(IvgCanvas& canvas) {
  const bool transparentRoot = !Parent() && Scene() && Scene()->GetRoot() == this && Scene()->GetTransparency();
  const bool hideStyle = FFill->Style() != vgBrushNone || transparentRoot;
  for (int i = 0; i < ChildrenCount(); ++i) {
    TvgObject* child = Children(i);
    if (child->Visual() && !(hideStyle && child == ResourceLink())) child->Visual()->PaintTo(canvas);
  }
}

}  // namespace vd
