#include "platform/classlib/Canvas.h"

#include "platform/classlib/Graphics.h"
#include "platform/classlib/WideText.h"

namespace classlib {

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  InitializeCriticalSection(&FLock);
  FFont->OnChange = [this](TObject*) { DeselectFont(); };
  FPen->OnChange = [this](TObject*) { DeselectPen(); };
  FBrush->OnChange = [this](TObject*) { DeselectBrush(); };
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  DeleteCriticalSection(&FLock);
}

HDC TCanvas::Handle() {
  RequiredState(csHandleValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (Value == FHandle) return;
  if (FHandle) {
    Refresh();
    // The pen position travels with the canvas from one DC to the next.
    GetCurrentPositionEx(FHandle, &FPenPos);
    FHandle = nullptr;
    FState = 0;
  }
  if (Value) {
    FHandle = Value;
    FState = csHandleValid;
    MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  }
}

void TCanvas::CreateHandle() { throw EInvalidGraphicOperation("Canvas does not allow drawing"); }

void TCanvas::RequiredState(unsigned Required) {
  const unsigned needed = Required & ~FState;
  if (needed == 0) return;
  if (needed & csHandleValid) {
    CreateHandle();
    if (!FHandle) throw EInvalidGraphicOperation("Canvas does not allow drawing");
  }
  if (needed & csFontValid) SelectFont();
  if (needed & csPenValid) SelectPen();
  if (needed & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
  HGDIOBJ previous = SelectObject(FHandle, FFont->Handle());
  if (!FOldFont) FOldFont = previous;
  SetTextColor(FHandle, ColorToRGB(FFont->Color()));
  FState |= csFontValid;
}

void TCanvas::SelectPen() {
  HGDIOBJ previous = SelectObject(FHandle, FPen->Handle());
  if (!FOldPen) FOldPen = previous;
  SetROP2(FHandle, FPen->Rop2());
  FState |= csPenValid;
}

void TCanvas::SelectBrush() {
  HBRUSH brush = FBrush->Handle();
  // Hatches start again at the DC's brush origin.
  UnrealizeObject(brush);
  HGDIOBJ previous = SelectObject(FHandle, brush);
  if (!FOldBrush) FOldBrush = previous;
  // Text and hatch gaps take the brush colour only when the brush is solid.
  if (FBrush->Style() == TBrushStyle::bsSolid) {
    SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetBkMode(FHandle, OPAQUE);
  } else {
    SetBkColor(FHandle, ~ColorToRGB(FBrush->Color()) & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
  FState |= csBrushValid;
}

void TCanvas::DeselectFont() {
  if (!(FState & csFontValid)) return;
  SelectObject(FHandle, FOldFont);
  FOldFont = nullptr;
  FState &= ~csFontValid;
}

void TCanvas::DeselectPen() {
  if (!(FState & csPenValid)) return;
  SelectObject(FHandle, FOldPen);
  FOldPen = nullptr;
  FState &= ~csPenValid;
}

void TCanvas::DeselectBrush() {
  if (!(FState & csBrushValid)) return;
  SelectObject(FHandle, FOldBrush);
  FOldBrush = nullptr;
  FState &= ~csBrushValid;
}

void TCanvas::Refresh() {
  DeselectFont();
  DeselectPen();
  DeselectBrush();
}

TPoint TCanvas::PenPos() {
  RequiredState(csHandleValid);
  TPoint position{};
  GetCurrentPositionEx(FHandle, &position);
  return position;
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState(csHandleValid);
  return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  RequiredState(csHandleValid | csPenValid);
  SetPixel(FHandle, X, Y, ColorToRGB(Value));
}

TRect TCanvas::ClipRect() {
  RequiredState(csHandleValid);
  TRect rect{};
  GetClipBox(FHandle, &rect);
  return rect;
}

void TCanvas::Lock() {
  EnterCriticalSection(&FLock);
  ++FLockCount;
}

void TCanvas::Unlock() {
  --FLockCount;
  LeaveCriticalSection(&FLock);
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState(csHandleValid);
  MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(FHandle, X, Y);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  if (Points.empty()) return;
  ::Polygon(FHandle, Points.data(), static_cast<int>(Points.size()));
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  if (Points.empty()) return;
  ::Polyline(FHandle, Points.data(), static_cast<int>(Points.size()));
}

void TCanvas::FillRect(const TRect& Rect) {
  RequiredState(csHandleValid | csBrushValid);
  ::FillRect(FHandle, &Rect, FBrush->Handle());
}

void TCanvas::FrameRect(const TRect& Rect) {
  RequiredState(csHandleValid | csBrushValid);
  ::FrameRect(FHandle, &Rect, FBrush->Handle());
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  RequiredState(csHandleValid | csBrushValid);
  ::DrawFocusRect(FHandle, &Rect);
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  const WideString text = ToWide(Text);
  ExtTextOutW(FHandle, X, Y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  SIZE extent{};
  GetTextExtentPoint32W(FHandle, text.c_str(), static_cast<int>(text.size()), &extent);
  MoveToEx(FHandle, X + extent.cx, Y, nullptr);
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED;
  if (FBrush->Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  const WideString text = ToWide(Text);
  ExtTextOutW(FHandle, X, Y, options, &Rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState(csHandleValid | csFontValid);
  const WideString text = ToWide(Text);
  TSize extent{};
  GetTextExtentPoint32W(FHandle, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  RequiredState(csHandleValid);
  Graphic->Draw(*this, Rect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  RequiredState(csHandleValid);
  Graphic->Draw(*this, Rect);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas& Canvas, const TRect& Source) {
  // No font: a copy draws no text, and selecting one costs a trip to the display driver.
  RequiredState(csHandleValid | csBrushValid);
  Canvas.RequiredState(csHandleValid | csBrushValid);
  // Whole pixels are picked when scaling, so a copy gives the same pixels on every system.
  SetStretchBltMode(FHandle, COLORONCOLOR);
  StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, Canvas.FHandle,
             Source.left, Source.top, Source.right - Source.left, Source.bottom - Source.top, FCopyMode);
}

}  // namespace classlib
