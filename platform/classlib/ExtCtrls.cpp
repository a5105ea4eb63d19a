#include "platform/classlib/ExtCtrls.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ClassRegistry.h"

namespace classlib {

namespace {

// Draws Width nested one-pixel frames inside Rect, lit from the top left, and leaves Rect inside them.
void Frame3D(TCanvas& Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  Canvas.Pen()->SetStyle(TPenStyle::psSolid);
  Canvas.Pen()->SetWidth(1);
  for (int i = 0; i < Width; ++i) {
    Canvas.Pen()->SetColor(TopColor);
    Canvas.Polyline({Point(Rect.left, Rect.bottom - 1), Point(Rect.left, Rect.top), Point(Rect.right - 1, Rect.top)});
    Canvas.Pen()->SetColor(BottomColor);
    Canvas.Polyline({Point(Rect.right - 1, Rect.top), Point(Rect.right - 1, Rect.bottom - 1),
                     Point(Rect.left - 1, Rect.bottom - 1)});
    InflateRect(&Rect, -1, -1);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

// A panel's look is all its own painting; the window is repainted whole.
void TPanel::Redraw() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Redraw();
}

void TPanel::SetBevelInner(TBevelCut Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  Redraw();
}

void TPanel::SetBevelWidth(int Value) {
  if (Value < 1) Value = 1;
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  Redraw();
}

void TPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Redraw();
}

void TPanel::TextChanged() {
  TCustomControl::TextChanged();
  Redraw();
}

void TPanel::Paint() {
  TCanvas& canvas = TCustomControl::Canvas();
  TRect r = ClientRect();
  for (TBevelCut bevel : {FBevelOuter, FBevelInner}) {
    switch (bevel) {
      case TBevelCut::bvNone:
        break;
      case TBevelCut::bvLowered:
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, FBevelWidth);
        break;
      case TBevelCut::bvRaised:
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow, FBevelWidth);
        break;
      case TBevelCut::bvSpace:
        Frame3D(canvas, r, Color(), Color(), FBevelWidth);
        break;
    }
  }
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(r);
  if (Caption().empty()) return;
  const UINT align = FAlignment == TAlignment::taCenter        ? DT_CENTER
                     : FAlignment == TAlignment::taRightJustify ? DT_RIGHT
                                                               : DT_LEFT;
  DrawControlText(canvas.Handle(), Font(), Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
}

// ---------------------------------------------------------------------------------------------
// TImage

TRect ImageDestRect(int PictureWidth, int PictureHeight, int ClientWidth, int ClientHeight, bool Stretch,
                    bool Proportional, bool Center) {
  int w = PictureWidth, h = PictureHeight;
  if (Stretch || (Proportional && (w > ClientWidth || h > ClientHeight))) {
    if (Proportional && w > 0 && h > 0) {
      // The longer side fills the client area first; if the other then overflows, it fills instead.
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = ClientWidth;
        h = static_cast<int>(ClientWidth / aspect);
        if (h > ClientHeight) {
          h = ClientHeight;
          w = static_cast<int>(ClientHeight * aspect);
        }
      } else {
        h = ClientHeight;
        w = static_cast<int>(ClientHeight * aspect);
        if (w > ClientWidth) {
          w = ClientWidth;
          h = static_cast<int>(ClientWidth / aspect);
        }
      }
    } else {
      w = ClientWidth;
      h = ClientHeight;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (Center) OffsetRect(&r, (ClientWidth - w) / 2, (ClientHeight - h) / 2);
  return r;
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

TCanvas& TImage::Canvas() {
  if (!FPicture->Graphic()) {
    TBitmap* bitmap = FPicture->Bitmap();
    bitmap->SetSize(Width(), Height());
    return *bitmap->Canvas();
  }
  auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
  if (!bitmap) throw EInvalidGraphicOperation("Can only modify an image if it contains a bitmap");
  return *bitmap->Canvas();
}

void TImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  if (Value == FProportional) return;
  FProportional = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  PictureChanged();
}

void TImage::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  PictureChanged();
}

void TImage::PictureChanged() {
  // Handing the flag to the graphic announces a change again, which then finds it set.
  if (TGraphic* graphic = FPicture->Graphic(); graphic && graphic->Transparent() != FTransparent)
    graphic->SetTransparent(FTransparent);
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  Invalidate();
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->Graphic();
  if (!graphic || graphic->Empty()) return;
  const TRect r =
      ImageDestRect(graphic->Width(), graphic->Height(), ClientWidth(), ClientHeight(), FStretch, FProportional, FCenter);
  TGraphicControl::Canvas().StretchDraw(r, graphic);
}

// ---------------------------------------------------------------------------------------------
// Registration

void RegisterExtControls(TClassRegistry& Registry) {
  const std::vector<std::pair<String, TBevelCut>> bevels = {{"bvNone", TBevelCut::bvNone},
                                                            {"bvLowered", TBevelCut::bvLowered},
                                                            {"bvRaised", TBevelCut::bvRaised},
                                                            {"bvSpace", TBevelCut::bvSpace}};
  Registry.Register<TPanel>("TPanel", "TCustomControl")
      .Enum("BevelOuter", &TPanel::SetBevelOuter, bevels)
      .Enum("BevelInner", &TPanel::SetBevelInner, bevels)
      .Integer("BevelWidth", &TPanel::SetBevelWidth)
      .Enum("Alignment", &TPanel::SetAlignment,
            {{"taLeftJustify", TAlignment::taLeftJustify}, {"taRightJustify", TAlignment::taRightJustify},
             {"taCenter", TAlignment::taCenter}});
  Registry.Register<TImage>("TImage", "TGraphicControl")
      .Boolean("Stretch", &TImage::SetStretch)
      .Boolean("Center", &TImage::SetCenter)
      .Boolean("Proportional", &TImage::SetProportional)
      .Boolean("Transparent", &TImage::SetTransparent)
      .Boolean("AutoSize", &TImage::SetAutoSize)
      .Custom("Picture.ResourceName", [](TImage& image, const TFormValue& v, TReadContext&) {
        // Read aside first: a missing resource leaves the picture as it was.
        TBitmap bitmap;
        bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), formvalue::ToText(v));
        image.Picture().SetGraphic(&bitmap);
      });
}

}  // namespace classlib
