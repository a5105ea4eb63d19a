// Text, captures of what lies behind a control, default glyphs, translucency and JPEG pictures.

#include "skin/data/Skutils.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <vector>

namespace skin {

using classlib::TBrushStyle;
using classlib::TControlState;
using classlib::TControlStateItem;
using classlib::TCustomControl;
using classlib::TGraphicControl;
using classlib::TWinControl;

// ---------------------------------------------------------------------------------------------
// Text

void SKDrawText(TCanvas& Canvas, const String& S, const TRect& R) {
  const HDC dc = Canvas.Handle();
  // DrawText sees the DC, not the canvas: it gets the canvas's font, text colour and background.
  const HGDIOBJ oldFont = SelectObject(dc, Canvas.Font()->Handle());
  SetTextColor(dc, classlib::ColorToRGB(Canvas.Font()->Color()));
  if (Canvas.Brush()->Style() == TBrushStyle::bsSolid) {
    SetBkColor(dc, classlib::ColorToRGB(Canvas.Brush()->Color()));
    SetBkMode(dc, OPAQUE);
  } else {
    SetBkMode(dc, TRANSPARENT);
  }
  const classlib::WideString text = classlib::ToWide(S);
  TRect r = R;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, oldFont);
}

void SKDrawText3(TCanvas& Canvas, const String& S, const TRect& R, int Offset) {
  Canvas.TextRect(R, R.left + Offset + 2, R.top + RectHeight(R) / 2 - Canvas.TextHeight(S) / 2, S);
}

void SKDrawText2(TCanvas& Canvas, const String& S, const TRect& R) { SKDrawText3(Canvas, S, R, 0); }

namespace {

// Drops the last character of UTF-8 text, never half of one.
void DeleteLastCharacter(String& S) {
  if (S.empty()) return;
  std::size_t end = S.size() - 1;
  while (end > 0 && (static_cast<unsigned char>(S[end]) & 0xC0) == 0x80) --end;
  S.erase(end);
}

}  // namespace

void CorrectTextbyWidth(TCanvas& Canvas, String& S, int Width) {
  if (Canvas.TextWidth(S) <= Width) return;
  while (!S.empty()) {
    DeleteLastCharacter(S);
    if (Canvas.TextWidth(S + "...") <= Width) break;
  }
  S += "...";
}

// ---------------------------------------------------------------------------------------------
// Capture

namespace {

// Saves the DC's state, moves its origin by (DX, DY) and clips to (0, 0, Width, Height) there;
// the destructor puts everything back, also when painting raises.
class TDCPlacement {
public:
  TDCPlacement(HDC DC, int DX, int DY, int Width, int Height) : FDC(DC), FSaved(SaveDC(DC)) {
    POINT origin;
    GetViewportOrgEx(DC, &origin);
    SetViewportOrgEx(DC, origin.x + DX, origin.y + DY, nullptr);
    IntersectClipRect(DC, 0, 0, Width, Height);
  }
  ~TDCPlacement() { RestoreDC(FDC, FSaved); }
  TDCPlacement(const TDCPlacement&) = delete;
  TDCPlacement& operator=(const TDCPlacement&) = delete;

private:
  HDC FDC;
  int FSaved;
};

// Adds csPaintCopy to a control's state for one scope and puts the state back after it.
class TPaintCopyState {
public:
  explicit TPaintCopyState(TControl& Control) : FControl(Control), FSaved(Control.ControlState()) {
    TControlState state = FSaved;
    FControl.SetControlState(state.Include(TControlStateItem::csPaintCopy));
  }
  ~TPaintCopyState() { FControl.SetControlState(FSaved); }
  TPaintCopyState(const TPaintCopyState&) = delete;
  TPaintCopyState& operator=(const TPaintCopyState&) = delete;

private:
  TControl& FControl;
  TControlState FSaved;
};

// A control capturing its background may be painted by its parent meanwhile (a windowless one
// always is): that nested paint must not capture again, or the two would recurse without end.
class TCaptureGuard {
public:
  explicit TCaptureGuard(TControl* Control) : FControl(Control) {
    FEntered = std::find(Active().begin(), Active().end(), Control) == Active().end();
    if (FEntered) Active().push_back(Control);
  }
  ~TCaptureGuard() {
    if (FEntered) Active().erase(std::find(Active().begin(), Active().end(), FControl));
  }
  bool Entered() const { return FEntered; }
  TCaptureGuard(const TCaptureGuard&) = delete;
  TCaptureGuard& operator=(const TCaptureGuard&) = delete;

private:
  static std::vector<TControl*>& Active() {
    thread_local std::vector<TControl*> active;
    return active;
  }
  TControl* FControl;
  bool FEntered = false;
};

bool Intersects(const TRect& A, const TRect& B) {
  TRect common;
  return IntersectRect(&common, &A, &B) != FALSE;
}

void PaintWith(TControl& Control, HDC DC) {
  Control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

// The windowed custom children of P (whose client origin lies at OX, OY of the target), and
// theirs, over the target of the given size.
void PaintCustomChildren(TWinControl& P, int OX, int OY, HDC DC, int Width, int Height) {
  for (int i = 0; i < P.ControlCount(); ++i) {
    auto* child = dynamic_cast<TCustomControl*>(P.Controls(i));
    if (!child || !child->Visible()) continue;
    const TRect moved{child->Left() + OX, child->Top() + OY, child->Left() + OX + child->Width(),
                      child->Top() + OY + child->Height()};
    if (!Intersects(moved, TRect{0, 0, Width, Height})) continue;
    {
      TDCPlacement placement(DC, moved.left, moved.top, child->Width(), child->Height());
      PaintWith(*child, DC);
    }
    if (child->ControlCount() > 0) PaintCustomChildren(*child, moved.left, moved.top, DC, Width, Height);
  }
}

}  // namespace

void GetParentImage(TControl* Control, TCanvas& Canvas) {
  if (!Control || !Control->Parent()) return;
  const TCaptureGuard guard(Control);
  if (!guard.Entered()) return;
  TWinControl& parent = *Control->Parent();
  const HDC DC = Canvas.Handle();
  const TRect CR = Control->BoundsRect();
  // The erase goes in as both parameters, so that a double-buffered parent paints its background
  // here too rather than leaving it for its own buffer.
  const auto dcParam = reinterpret_cast<WPARAM>(DC);
  {
    TDCPlacement placement(DC, -Control->Left(), -Control->Top(), parent.ClientWidth(), parent.ClientHeight());
    if (dynamic_cast<classlib::TForm*>(&parent)) {
      SendMessageW(parent.Handle(), WM_ERASEBKGND, dcParam, static_cast<LPARAM>(dcParam));
    } else {
      parent.Perform(WM_ERASEBKGND, dcParam, static_cast<LPARAM>(dcParam));
      parent.Perform(WM_PAINT, dcParam, 0);
    }
  }
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    if (child == Control) break;
    auto* custom = dynamic_cast<TCustomControl*>(child);
    if (!custom && !dynamic_cast<TGraphicControl*>(child)) continue;
    if (!child->Visible() || !Intersects(child->BoundsRect(), CR)) continue;
    const int dx = child->Left() - Control->Left(), dy = child->Top() - Control->Top();
    {
      TDCPlacement placement(DC, dx, dy, child->Width(), child->Height());
      PaintWith(*child, DC);
    }
    if (custom) PaintCustomChildren(*custom, dx, dy, DC, Control->Width(), Control->Height());
  }
}

void GetParentImage2(TControl* Control, TCanvas& Canvas) {
  if (!Control || !Control->Parent()) return;
  const TCaptureGuard guard(Control);
  if (!guard.Entered()) return;
  TWinControl& parent = *Control->Parent();
  const TPaintCopyState parentCopy(parent);
  const HDC DC = Canvas.Handle();
  const TRect CR = Control->BoundsRect();
  const auto dcParam = reinterpret_cast<WPARAM>(DC);
  {
    TDCPlacement placement(DC, -Control->Left(), -Control->Top(), parent.ClientWidth(), parent.ClientHeight());
    parent.Perform(WM_ERASEBKGND, dcParam, static_cast<LPARAM>(dcParam));
    if (!dynamic_cast<classlib::TForm*>(&parent)) parent.PaintWindow(DC);
  }
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    if (child == Control) break;
    if (!dynamic_cast<TGraphicControl*>(child) || !child->Visible() || !Intersects(child->BoundsRect(), CR)) continue;
    TDCPlacement placement(DC, child->Left() - Control->Left(), child->Top() - Control->Top(), child->Width(),
                           child->Height());
    const TPaintCopyState childCopy(*child);
    PaintWith(*child, DC);
  }
}

void GetScreenImage(int X, int Y, TBitmap& Bitmap) {
  if (Bitmap.Empty()) return;
  const HDC screen = GetDC(nullptr);
  BitBlt(Bitmap.Canvas()->Handle(), 0, 0, Bitmap.Width(), Bitmap.Height(), screen, X, Y, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

// ---------------------------------------------------------------------------------------------
// Default glyphs

namespace {

void Line(TCanvas& Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas.MoveTo(X1, Y1);
  Canvas.LineTo(X2, Y2);
}

TPoint Centre(const TRect& R) { return TPoint{R.left + RectWidth(R) / 2, R.top + RectHeight(R) / 2}; }

}  // namespace

void DrawArrowImage(TCanvas& Canvas, const TRect& R, TColor Color, int Code) {
  Canvas.Pen()->SetColor(Color);
  const TPoint c = Centre(R);
  switch (Code) {
    case 1:
      for (int i = 0; i <= 3; ++i) Line(Canvas, c.x - 2 + i, c.y - i, c.x - 2 + i, c.y + i + 1);
      break;
    case 2:
      for (int i = 3; i >= 0; --i) Line(Canvas, c.x + 2 - i, c.y + i, c.x + 2 - i, c.y - i - 1);
      break;
    case 3:
      for (int i = 0; i <= 3; ++i) Line(Canvas, c.x - i, c.y - 2 + i, c.x + i + 1, c.y - 2 + i);
      break;
    case 4:
      for (int i = 3; i >= 0; --i) Line(Canvas, c.x - i, c.y + 2 - i, c.x + i + 1, c.y + 2 - i);
      break;
    default:
      break;
  }
}

void DrawTrackArrowImage(TCanvas& Canvas, const TRect& R, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  const TPoint c = Centre(R);
  for (int i = 2; i >= 0; --i) Line(Canvas, c.x - i, c.y + 2 - i, c.x + i + 1, c.y + 2 - i);
}

void DrawRadioImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Canvas.Brush()->SetColor(Color);
  Canvas.Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCheckImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  for (int i = 0; i <= 2; ++i) Canvas.Polyline({TPoint{X, Y + 5 - i}, TPoint{X + 2, Y + 7 - i}, TPoint{X + 7, Y + 2 - i}});
}

void DrawCloseImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
  Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
  Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
  Line(Canvas, X + 8, Y + 1, X, Y + 9);
}

void DrawRCloseImage(TCanvas& Canvas, const TRect& R, TColor Color) {
  const TPoint c = Centre(R);
  DrawCloseImage(Canvas, c.x - 5, c.y - 5, Color);
}

void DrawSysMenuImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas.Rectangle(X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
  Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas.Rectangle(X, Y, X + 11, Y + 10);
  Canvas.Rectangle(X, Y, X + 11, Y + 2);
}

void DrawRestoreImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas.Rectangle(X + 2, Y, X + 10, Y + 6);
  Canvas.Rectangle(X + 2, Y, X + 10, Y + 2);
  Canvas.Rectangle(X, Y + 4, X + 7, Y + 10);
  Canvas.Rectangle(X, Y + 4, X + 7, Y + 6);
}

void DrawRollUpImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  for (int i = 0; i <= 4; ++i) Line(Canvas, X + 5 - i, Y + 2 + i, X + 5 + i, Y + 2 + i);
}

void DrawRestoreRollUpImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  for (int i = 0; i <= 4; ++i) Line(Canvas, X + 5 - i, Y + 6 - i, X + 5 + i, Y + 6 - i);
}

void DrawMTImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen()->SetColor(Color);
  Canvas.Brush()->SetColor(Color);
  Canvas.Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}

void Frm3D(TCanvas& Canvas, const TRect& R, TColor TopColor, TColor BottomColor) {
  Canvas.Pen()->SetWidth(1);
  const int right = R.right - 1, bottom = R.bottom - 1;
  Canvas.Pen()->SetColor(TopColor);
  Canvas.Polyline({TPoint{R.left, bottom}, TPoint{R.left, R.top}, TPoint{right, R.top}});
  Canvas.Pen()->SetColor(BottomColor);
  Canvas.Polyline({TPoint{right, R.top}, TPoint{right, bottom}, TPoint{R.left - 1, bottom}});
}

// ---------------------------------------------------------------------------------------------
// Windows and pictures

void SetAlphaBlendTransparent(HWND Wnd, std::uint8_t Value) {
  using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  // Layered windows came with Windows 2000: older systems lack the call.
  const HMODULE user32 = LoadLibraryA("USER32");
  if (!user32) return;
  const auto set = reinterpret_cast<TSetLayeredWindowAttributes>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  if (set)
    set(Wnd, 0, Value, LWA_ALPHA);
  FreeLibrary(user32);
}

bool IsJpegFile(const String& FileName) {
  return FileName.find(".jpg") != String::npos || FileName.find(".jpeg") != String::npos;
}

void LoadFromJPegImage(TBitmap& Bitmap, TJPEGImage& Image) {
  Bitmap.SetSize(Image.Width(), Image.Height());
  Bitmap.Canvas()->Draw(0, 0, &Image);
}

void LoadFromJpegStream(TBitmap& Bitmap, TStream& Stream) {
  TJPEGImage image;
  image.LoadFromStream(Stream);
  LoadFromJPegImage(Bitmap, image);
}

void LoadFromJpegFile(TBitmap& Bitmap, const String& FileName) {
  TJPEGImage image;
  image.LoadFromFile(FileName);
  LoadFromJPegImage(Bitmap, image);
}

}  // namespace skin
