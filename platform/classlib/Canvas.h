// A drawing surface over a device context, with the pen, brush and font it selects as it draws.
//
// Classes in this file: TCanvas, TCanvasLock.
#pragma once

#include "platform/classlib/Graphics.h"
#include "platform/classlib/GraphicsObjects.h"

#include <atomic>
#include <initializer_list>
#include <memory>
#include <span>

namespace classlib {

using TSize = SIZE;

// The raster operation of CopyRect (and of the pictures drawn on the canvas).
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// The canvas borrows its DC: it selects its pen, brush and font into it when a drawing call needs
// them and selects the DC's previous objects back when the DC is released (SetHandle), refreshed or
// the canvas dies. It never deletes a DC it was given.
class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;

  // Attributes

  // The DC; when none is set, CreateHandle is asked for one.
  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont& Value) { FFont->Assign(Value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen& Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush& Value) { FBrush->Assign(Value); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.x, Value.y); }
  // CLR_INVALID outside the clipping region.
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  TRect ClipRect();

  // Locking: one thread draws at a time. Lock is re-entrant for the thread holding it.
  void Lock();
  void Unlock();
  int LockCount() const { return FLockCount; }

  // Operations
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Polygon(std::span<const TPoint> Points);
  void Polygon(std::initializer_list<TPoint> Points) { Polygon(std::span(Points.begin(), Points.size())); }
  void Polyline(std::span<const TPoint> Points);
  void Polyline(std::initializer_list<TPoint> Points) { Polyline(std::span(Points.begin(), Points.size())); }
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void DrawFocusRect(const TRect& Rect);

  // Text is UTF-8; it is drawn and measured with the W functions. TextOut leaves the pen position
  // at the end of the text.
  void TextOut(int X, int Y, const String& Text);
  // Text at X, Y clipped to Rect, whose background is filled unless the brush is clear.
  void TextRect(const TRect& Rect, int X, int Y, const String& Text);
  TSize TextExtent(const String& Text);
  int TextWidth(const String& Text) { return TextExtent(Text).cx; }
  int TextHeight(const String& Text) { return TextExtent(Text).cy; }

  // Pictures: at their own size, or scaled into Rect. A null or empty picture draws nothing.
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Copies (scaling as needed) Source of Canvas into Dest with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas& Canvas, const TRect& Source);

  // Selects the DC's own objects back; the next drawing call selects the canvas's again.
  void Refresh();

protected:
  // Called when drawing needs a DC and none is set. A canvas of something that can give one
  // (a window, a bitmap) overrides this and passes the DC to SetHandle; a plain canvas cannot draw.
  virtual void CreateHandle();

private:
  enum TState : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };

  void RequiredState(unsigned Required);
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void DeselectFont();
  void DeselectPen();
  void DeselectBrush();

  HDC FHandle = nullptr;
  unsigned FState = 0;
  // What the DC had selected before the canvas's own objects, put back on release.
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  TPoint FPenPos{0, 0};
  TCopyMode FCopyMode = cmSrcCopy;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  CRITICAL_SECTION FLock;
  std::atomic<int> FLockCount{0};
};

// Holds a canvas's lock for one scope.
class TCanvasLock {
public:
  explicit TCanvasLock(TCanvas& Canvas) : FCanvas(Canvas) { FCanvas.Lock(); }
  ~TCanvasLock() { FCanvas.Unlock(); }
  TCanvasLock(const TCanvasLock&) = delete;
  TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
  TCanvas& FCanvas;
};

}  // namespace classlib
