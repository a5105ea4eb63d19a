#include "skin/form/SkinHint.h"

#include "platform/classlib/WideText.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

// Measuring and drawing honour the text's line breaks and show "&" as it is.
constexpr UINT HintTextFlags = DT_LEFT | DT_TOP | DT_NOPREFIX;

TBitmap* SkinPicture(const TskSkinData& Skin, int Index) {
  if (Index < 0 || Index >= static_cast<int>(Skin.ActivePictures.size())) return nullptr;
  TBitmap* picture = Skin.ActivePictures[static_cast<size_t>(Index)].get();
  return picture && !picture->Empty() ? picture : nullptr;
}

// The canvas's font goes into its device context with its first text call.
void SelectCanvasFont(TCanvas& Canvas) { Canvas.TextExtent(String()); }

TSize TextSize(TCanvas& Canvas, const String& Text) {
  SelectCanvasFont(Canvas);
  RECT r{0, 0, 0, 0};
  const WideString text = ToWide(Text);
  DrawTextW(Canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | HintTextFlags);
  return TSize{r.right - r.left, r.bottom - r.top};
}

void DrawHintText(TCanvas& Canvas, const String& Text, RECT R) {
  SelectCanvasFont(Canvas);
  const WideString text = ToWide(Text);
  SetBkMode(Canvas.Handle(), TRANSPARENT);
  SetTextColor(Canvas.Handle(), ColorToRGB(Canvas.Font()->Color()));
  DrawTextW(Canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &R, HintTextFlags);
}

// The components that made themselves the application's hint machinery, oldest first, each with
// what it replaced. A component leaving from the middle hands what it saved to the one above it, so
// the last to leave puts back what was there before the first.
struct TInstalledHint {
  TskSkinHint* Hint;
  TShowHintEvent SavedOnShowHint;
  THintWindowClass SavedWindowClass;
};
std::vector<TInstalledHint>& InstalledHints() {
  static std::vector<TInstalledHint> installed;
  return installed;
}

}  // namespace

TskSkinHint* FindHintComponent() {
  TForm* main = Application->MainForm();
  if (!main) return nullptr;
  for (int i = 0; i < main->ComponentCount(); ++i)
    if (auto* hint = dynamic_cast<TskSkinHint*>(main->Components(i)); hint && hint->Active()) return hint;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TskSkinHintWindow

TskSkinHintWindow::TskSkinHintWindow(TComponent* AOwner)
    : THintWindow(AOwner), ScreenImage(std::make_unique<TBitmap>()) {}

TskSkinHintWindow::~TskSkinHintWindow() {
  if (HintRegion) DeleteObject(HintRegion);
}

void TskSkinHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  // The window draws its own frame, or the skin's.
  Params.Style = WS_POPUP;
  if (CheckWXP()) Params.ClassStyle |= CS_DROPSHADOW;
}

void TskSkinHintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCPAINT: return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: THintWindow::Dispatch(Message);
  }
}

const TskDataSkinHintWindow* TskSkinHintWindow::Description() const {
  return HintSkin ? HintSkin->HintWindow.get() : nullptr;
}

TBitmap* TskSkinHintWindow::WindowPicture() const {
  const auto* d = Description();
  return d ? SkinPicture(*HintSkin, d->WindowPictureIndex) : nullptr;
}

TBitmap* TskSkinHintWindow::MaskPicture() const {
  const auto* d = Description();
  return d ? SkinPicture(*HintSkin, d->MaskPictureIndex) : nullptr;
}

void TskSkinHintWindow::SetHintFont(TCanvas& Canvas) const {
  TFont& font = *Canvas.Font();
  if (HintSkin && HintComponent->UseSkinFont()) {
    const auto& d = *Description();
    font.SetHeight(d.FontHeight);
    font.SetName(d.FontName);
    font.SetStyle(d.FontStyle);
    font.SetColor(d.FontColor);
  } else {
    font.Assign(HintComponent->DefaultFont());
    font.SetColor(HintSkin ? Description()->FontColor : clInfoText);
  }
  const TskSkinData* skin = HintComponent->SkinData();
  if (skin && skin->ResourceStrData()) font.SetCharset(skin->ResourceStrData()->CharSet());
}

void TskSkinHintWindow::CalcHintSize(const String& AHint, int& W, int& H) {
  TBitmap measure;
  measure.SetSize(1, 1);
  SetHintFont(*measure.Canvas());
  const TSize text = TextSize(*measure.Canvas(), AHint);
  W = text.cx;
  H = text.cy;
  TBitmap* picture = WindowPicture();
  if (!picture) {
    W += 4;
    H += 4;
    return;
  }
  const auto& d = *Description();
  const int pw = picture->Width(), ph = picture->Height();
  const TRect& cr = d.SkinClientRect;
  W = std::max(W + cr.left + pw - cr.right, pw);
  H = std::max(H + cr.top + ph - cr.bottom, ph);
  const int dw = W - pw, dh = H - ph;
  HintClientRect = TRect{cr.left, cr.top, cr.right + dw, cr.bottom + dh};
  HintLTPoint = d.SkinLeftTopPoint;
  HintRTPoint = TPoint{d.SkinRightTopPoint.x + dw, d.SkinRightTopPoint.y};
  HintLBPoint = TPoint{d.SkinLeftBottomPoint.x, d.SkinLeftBottomPoint.y + dh};
  HintRBPoint = TPoint{d.SkinRightBottomPoint.x + dw, d.SkinRightBottomPoint.y + dh};
}

void TskSkinHintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  HintComponent = FindHintComponent();
  if (!HintComponent) return;
  TskSkinData* skin = HintComponent->SkinData();
  HintSkin = skin && !skin->Empty && skin->HintWindow && skin->HintWindow->WindowPictureIndex != -1 ? skin : nullptr;
  // A picture index the skin's list does not hold gives the plain look rather than a read past it.
  if (HintSkin && !WindowPicture()) HintSkin = nullptr;

  SetCaption(AHint);
  int w = 0, h = 0;
  CalcHintSize(AHint, w, h);
  int left = Rect.left, top = Rect.top;
  if (left + w > Screen->Width()) left -= w + 2;
  if (top + h > Screen->Height()) top -= h + 2;
  SetBounds(left, top, w, h);

  const HWND window = Handle();
  if (HintComponent->AlphaBlend() != LastAlphaBlend && HintComponent->AlphaBlendSupport()) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (HintComponent->AlphaBlend()) {
      SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
      SetAlphaBlendTransparent(window, HintComponent->AlphaBlendValue());
      LastAlphaBlendValue = HintComponent->AlphaBlendValue();
    } else {
      SetWindowLongPtrW(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    }
    LastAlphaBlend = HintComponent->AlphaBlend();
  }
  if (HintComponent->AlphaBlendValue() != LastAlphaBlendValue && HintComponent->AlphaBlendSupport() &&
      HintComponent->AlphaBlend()) {
    SetAlphaBlendTransparent(window, HintComponent->AlphaBlendValue());
    LastAlphaBlendValue = HintComponent->AlphaBlendValue();
  }
  if (HintComponent->AlphaBlend() && !HintComponent->AlphaBlendSupport()) {
    ScreenImage->SetPixelFormat(TPixelFormat::pf24bit);
    ScreenImage->SetSize(w, h);
    GetScreenImage(left, top, *ScreenImage);
  }
  SetHintWindowRegion();
  SetWindowPos(window, HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
  Invalidate();
}

void TskSkinHintWindow::SetHintWindowRegion() {
  TBitmap* mask = MaskPicture();
  if (!mask) {
    if (HintRegion) {
      SetWindowRgn(Handle(), nullptr, FALSE);
      DeleteObject(HintRegion);
      HintRegion = nullptr;
    }
    return;
  }
  const auto& d = *Description();
  HRGN region = nullptr;
  CreateSkinRegion(region, d.SkinLeftTopPoint, d.SkinRightTopPoint, d.SkinLeftBottomPoint, d.SkinRightBottomPoint,
                   d.SkinClientRect, HintLTPoint, HintRTPoint, HintLBPoint, HintRBPoint, HintClientRect, *mask,
                   Width(), Height());
  // The window owns the region it is given; ours is a copy, kept to be replaced next time.
  const HRGN given = CreateRectRgn(0, 0, 0, 0);
  if (region) CombineRgn(given, region, nullptr, RGN_COPY);
  SetWindowRgn(Handle(), region ? given : nullptr, FALSE);
  if (!region) DeleteObject(given);
  if (HintRegion) DeleteObject(HintRegion);
  HintRegion = region;
}

void TskSkinHintWindow::Paint() {
  if (Width() <= 0 || Height() <= 0 || !HintComponent) return;
  TBitmap buffer;
  buffer.SetPixelFormat(TPixelFormat::pf24bit);
  buffer.SetSize(Width(), Height());
  TCanvas& c = *buffer.Canvas();
  const String text = Caption();
  if (TBitmap* picture = WindowPicture()) {
    const auto& d = *Description();
    CreateSkinImageBS(d.SkinLeftTopPoint, d.SkinRightTopPoint, d.SkinLeftBottomPoint, d.SkinRightBottomPoint,
                      d.SkinClientRect, HintLTPoint, HintRTPoint, HintLBPoint, HintRBPoint, HintClientRect, buffer,
                      *picture, TRect{0, 0, picture->Width(), picture->Height()}, Width(), Height(), true,
                      d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch);
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    SetHintFont(c);
    const TSize size = TextSize(c, text);
    const int x = HintClientRect.left + RectWidth(HintClientRect) / 2 - size.cx / 2;
    const int y = HintClientRect.top + RectHeight(HintClientRect) / 2 - size.cy / 2;
    DrawHintText(c, text, RECT{x, y, x + size.cx, y + size.cy});
  } else {
    const TRect client{0, 0, Width(), Height()};
    c.Brush()->SetColor(clInfoBk);
    c.FillRect(client);
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(client);
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    SetHintFont(c);
    DrawHintText(c, text, RECT{2, 2, Width() - 2, Height() - 2});
  }
  if (HintComponent->AlphaBlend() && !HintComponent->AlphaBlendSupport() && !ScreenImage->Empty()) {
    ScreenImage->SetSize(buffer.Width(), ScreenImage->Height());
    TskEffectBmp image(buffer.Handle());
    const TskEffectBmp screen(ScreenImage->Handle());
    image.Morph(screen, 1 - HintComponent->AlphaBlendValue() / 255.0);
    image.Draw(c.Handle(), 0, 0);
  }
  Canvas().Draw(0, 0, &buffer);
}

// ---------------------------------------------------------------------------------------------
// TskSkinHint

TskSkinHint::TskSkinHint(TComponent* AOwner)
    : TComponent(AOwner),
      FOwnHintWindow(std::make_unique<TskSkinHintWindow>(nullptr)),
      FDefaultFont(std::make_unique<TFont>()),
      FAlive(std::make_shared<TskSkinHint*>(this)) {
  if (Designing()) return;
  InstalledHints().push_back({this, Application->OnShowHint, HintWindowClass});
  HintWindowClass = [](TComponent* Owner) { return std::make_unique<TskSkinHintWindow>(Owner); };
  // Off and on again, so the application makes its hint window from the new class.
  Application->SetShowHint(!Application->ShowHint());
  Application->SetShowHint(!Application->ShowHint());
  Application->OnShowHint = Forwarder();
  Application->SetHintShortPause(100);
}

TskSkinHint::~TskSkinHint() {
  *FAlive = nullptr;
  FDelayTimer.reset();
  auto& installed = InstalledHints();
  const auto me = std::find_if(installed.begin(), installed.end(), [this](const auto& I) { return I.Hint == this; });
  if (me == installed.end()) return;
  if (me + 1 != installed.end()) {
    (me + 1)->SavedOnShowHint = me->SavedOnShowHint;
    (me + 1)->SavedWindowClass = me->SavedWindowClass;
    installed.erase(me);
    return;
  }
  Application->OnShowHint = me->SavedOnShowHint;
  HintWindowClass = me->SavedWindowClass;
  installed.erase(me);
  Application->SetShowHint(!Application->ShowHint());
  Application->SetShowHint(!Application->ShowHint());
}

bool TskSkinHint::Designing() const { return ComponentState().Contains(TComponentStateItem::csDesigning); }

TShowHintEvent TskSkinHint::Forwarder() const {
  return [alive = FAlive](String& HintStr, bool& CanShow, THintInfo& HintInfo) {
    if (*alive) (*alive)->SelfOnShowHint(HintStr, CanShow, HintInfo);
  };
}

void TskSkinHint::SelfOnShowHint(String& HintStr, bool& CanShow, THintInfo& HintInfo) {
  if (OnShowHint) OnShowHint(HintStr, CanShow, HintInfo);
}

void TskSkinHint::SetAlphaBlendSupport(bool Value) {
  FAlphaBlendSupport = Value && (Designing() || CheckW2KWXP());
}

void TskSkinHint::SetSkinData(TskSkinData* Value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinHint::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinHint::SetActive(bool Value) {
  FActive = Value;
  if (Value) {
    if (TForm* main = Application->MainForm()) {
      for (int i = 0; i < main->ComponentCount(); ++i) {
        auto* other = dynamic_cast<TskSkinHint*>(main->Components(i));
        if (other && other != this && other->Active()) other->SetActive(false);
      }
    }
  }
  if (!Designing() && FActive) Application->OnShowHint = Forwarder();
}

void TskSkinHint::ActivateHint(const TPoint& Point, const String& Text) {
  FOwnHintWindow->ActivateHint(TRect{Point.x, Point.y, Point.x, Point.y}, Text);
  FOwnHintWindow->SetVisible(true);
}

void TskSkinHint::ActivateHint2(const String& Text) {
  FDelayTimer.reset();
  FPendingText = Text;
  FDelayTimer = std::make_unique<TTimer>(nullptr);
  FDelayTimer->SetInterval(static_cast<unsigned>(Application->HintPause()));
  FDelayShown = false;
  // One handler for both phases: a timer must not lose the handler that is running.
  FDelayTimer->OnTimer = [this](TObject*) {
    if (FDelayShown) HintTime2();
    else HintTime1();
  };
  FDelayTimer->SetEnabled(true);
}

void TskSkinHint::HintTime1() {
  POINT cursor;
  GetCursorPos(&cursor);
  ActivateHint(TPoint{cursor.x, cursor.y + GetCursorHeightMargin()}, FPendingText);
  FDelayShown = true;
  FDelayTimer->SetEnabled(false);
  FDelayTimer->SetInterval(static_cast<unsigned>(Application->HintHidePause()));
  FDelayTimer->SetEnabled(true);
}

void TskSkinHint::HintTime2() {
  // The timer whose event runs now cannot be freed here; stopped, it is freed with the next hint.
  FDelayTimer->SetEnabled(false);
  HideWindow();
}

void TskSkinHint::HideHint() {
  FDelayTimer.reset();
  HideWindow();
}

void TskSkinHint::HideWindow() {
  if (!FOwnHintWindow->Visible()) return;
  FOwnHintWindow->SetVisible(false);
  if (FOwnHintWindow->HandleAllocated())
    SetWindowPos(FOwnHintWindow->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

bool TskSkinHint::IsVisible() const { return FOwnHintWindow && FOwnHintWindow->Visible(); }

int TskSkinHint::GetCursorHeightMargin() {
  int result = GetSystemMetrics(SM_CYCURSOR);
  ICONINFO info{};
  if (!GetIconInfo(GetCursor(), &info)) return result;
  BITMAP bm{};
  if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bm, &bm) && bm.bmBitsPixel == 1 && bm.bmWidth > 0) {
    // The mask's rows as the system stores a 1-bit picture: bottom row first, each padded to 32 bits.
    const int lineBytes = (bm.bmWidth + 31) / 32 * 4;
    const int square = bm.bmWidth * lineBytes;
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colors[2];
    } bmi{};
    bmi.header.biSize = sizeof bmi.header;
    bmi.header.biWidth = bm.bmWidth;
    bmi.header.biHeight = bm.bmHeight;
    bmi.header.biPlanes = 1;
    bmi.header.biBitCount = 1;
    std::vector<BYTE> bits(static_cast<size_t>(lineBytes) * static_cast<size_t>(bm.bmHeight));
    const HDC dc = GetDC(nullptr);
    const bool read = GetDIBits(dc, info.hbmMask, 0, static_cast<UINT>(bm.bmHeight), bits.data(),
                                reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS) != 0;
    ReleaseDC(nullptr, dc);
    const int total = static_cast<int>(bits.size());
    if (read && square > 0 && square <= total) {
      // Bytes after the first one in [From, From + square) that is not Skip.
      const auto countAfter = [&](int From, BYTE Skip) {
        for (int i = 0; i < square; ++i)
          if (bits[static_cast<size_t>(From + i)] != Skip) return square - i - 1;
        return 0;
      };
      int count = countAfter(total - square, 0xFF);
      if (count == 0 && bm.bmHeight >= 2 * bm.bmWidth && 2 * square <= total) count = countAfter(total - 2 * square, 0);
      result = count / lineBytes - static_cast<int>(info.yHotspot);
    }
  }
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return result;
}

}  // namespace skin
