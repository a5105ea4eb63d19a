#include "skin/boxes/SkinEdit.h"

#include "platform/classlib/Shell.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skeffbmp.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cctype>

#include <windowsx.h>

using namespace classlib;

namespace skin {

namespace {

constexpr COLORREF DefaultButtonPressedFill = RGB(133, 147, 181);
constexpr COLORREF DefaultButtonHotFill = RGB(182, 189, 210);

// The two pseudo hit codes of the button edit: its button and its frame.
constexpr LRESULT ButtonHitCode = HTHSCROLL;
constexpr LRESULT FrameHitCode = HTVSCROLL;

bool Loading(const TComponent& Component) { return Component.ComponentState().Contains(TComponentStateItem::csLoading); }

void Frame(TCanvas& Canvas, TRect R, TColor Color) {
  Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush()->SetColor(Color);
  Canvas.FrameRect(R);
}

bool StartsWithNoCase(const String& Text, const String& Prefix) {
  if (Text.size() < Prefix.size()) return false;
  for (size_t i = 0; i < Prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(Text[i])) != Prefix[i]) return false;
  return true;
}

}  // namespace

TskSkinCustomEdit::TskSkinCustomEdit(TComponent* AOwner)
    : TskCustomEdit(AOwner), FDefaultFont(std::make_unique<TFont>()) {
  SetAutoSize(false);
  SetHeight(20);
  SetBorderStyle(TBorderStyle::bsNone);
  SetEditTransparent(true);
  Font().SetName("Arial");
  Font().SetStyle({});
  Font().SetHeight(14);
  Font().SetColor(0);
  FDefaultFont->Assign(Font());
  FDefaultFont->OnChange = [this](TObject*) { DefaultFontChanged(); };
}

TskSkinCustomEdit::~TskSkinCustomEdit() { FDefaultFont->OnChange = nullptr; }

bool TskSkinCustomEdit::Designing() const { return ComponentState().Contains(TComponentStateItem::csDesigning); }

// ---------------------------------------------------------------------------------------------
// The skin

void TskSkinCustomEdit::GetSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  if (FSkinControlIndex == -1) return;
  const auto* data =
      dynamic_cast<const TskDataSkinEditControl*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  SkinPicture = skin::SkinPicture(*FSkinData, data->PictureIndex);
  SkinFrameRect = data->SkinRect;
  SkinHotRect = IsNullRect(data->ActiveSkinRect) ? data->SkinRect : data->ActiveSkinRect;
  SkinLeftOffset = data->SkinLeftTopPoint.x;
  SkinRightOffset = RectWidth(data->SkinRect) - data->SkinRightTopPoint.x;
  SkinClientRect = data->SkinClientRect;
  SkinFontName = data->FontName;
  SkinFontStyle = data->FontStyle;
  SkinFontHeight = data->FontHeight;
  SkinFontColor = data->FontColor;
  SkinDisabledFontColor = data->DisabledFontColor;
  SkinActiveFontColor = data->ActiveFontColor;
  SkinButtonRect = data->ButtonRect;
  SkinActiveButtonRect = data->ActiveButtonRect;
  SkinDownButtonRect = IsNullRect(data->DownButtonRect) ? data->ActiveButtonRect : data->DownButtonRect;
  SkinStretchEffect = data->StretchEffect;
  SkinUnEnabledButtonRect = data->UnEnabledButtonRect;
}

void TskSkinCustomEdit::SetSkinData(TskSkinData* Value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  if (FSkinData && !FSkinData->Empty && !Designing()) ChangeSkinData();
}

void TskSkinCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TskCustomEdit::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) FSkinData = nullptr;
}

void TskSkinCustomEdit::SetUseSkinFont(bool Value) {
  if (Value == FUseSkinFont) return;
  FUseSkinFont = Value;
  if (FSkinData && !Loading(*this) && !Designing()) ChangeSkinData();
}

void TskSkinCustomEdit::ApplyFontColor() {
  if (Enabled())
    Font().SetColor(!Skinned() ? FDefaultFont->Color() : Focused() ? SkinActiveFontColor : SkinFontColor);
  else
    Font().SetColor(!Skinned() ? clGrayText : SkinDisabledFontColor);
}

void TskSkinCustomEdit::ChangeSkinData() {
  GetSkinData();
  if (!Skinned()) {
    Font().Assign(*FDefaultFont);
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
  } else if (FUseSkinFont) {
    Font().SetName(SkinFontName);
    Font().SetStyle(SkinFontStyle);
    SetHeight(RectHeight(SkinFrameRect));
    Font().SetHeight(SkinFontHeight);
    Font().SetColor(Focused() ? SkinActiveFontColor : SkinFontColor);
  } else {
    Font().Assign(*FDefaultFont);
    Font().SetColor(Focused() ? SkinActiveFontColor : SkinFontColor);
  }
  const TskResourceStrData* table = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  Font().SetCharset(table ? table->CharSet() : FDefaultFont->Charset());
  RecreateWnd();
  ApplyFontColor();
  if (!FUseSkinFont) AdjustEditHeight();
}

void TskSkinCustomEdit::Loaded() {
  TskCustomEdit::Loaded();
  if (FSkinData && FSkinData->ResourceStrData()) Font().SetCharset(FSkinData->ResourceStrData()->CharSet());
}

// ---------------------------------------------------------------------------------------------
// Fonts and size

void TskSkinCustomEdit::SetDefaultFont(const TFont& Value) { FDefaultFont->Assign(Value); }

void TskSkinCustomEdit::DefaultFontChanged() {
  GetSkinData();
  if (!Skinned()) Font().Assign(*FDefaultFont);
}

void TskSkinCustomEdit::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  GetSkinData();
  if (!Skinned() && Value > 0) SetWidth(Value);
}

void TskSkinCustomEdit::SetDefaultHeight(int Value) {
  FDefaultHeight = Value;
  GetSkinData();
  if (!Skinned() && Value > 0 && FUseSkinFont)
    SetHeight(Value);
  else
    AdjustEditHeight();
}

void TskSkinCustomEdit::CalcEditHeight(int& AHeight) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Font().Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  AHeight = metrics.tmHeight + (Skinned() ? RectHeight(SkinFrameRect) - RectHeight(SkinClientRect) : 4);
}

void TskSkinCustomEdit::AdjustEditHeight() {
  GetSkinData();
  int h = 0;
  CalcEditHeight(h);
  SetHeight(h);
}

void TskSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  GetSkinData();
  if (AWidth != Width() || AHeight != Height()) {
    if (Skinned() && FUseSkinFont)
      AHeight = RectHeight(SkinFrameRect);
    else if (!FUseSkinFont)
      CalcEditHeight(AHeight);
  }
  TskCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  InvalidateNC();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Setters that change the window

void TskSkinCustomEdit::SetButtonMode(bool Value) {
  FButtonMode = Value;
  RecreateWnd();
  if (Designing() && !Loading(*this)) FSkinDataName = Value ? "buttonedit" : "edit";
}

void TskSkinCustomEdit::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  RecreateWnd();
}

void TskSkinCustomEdit::SetAlphaBlend(bool Value) {
  if (Value == FAlphaBlend) return;
  FAlphaBlend = Value;
  InvalidateNC();
  Invalidate();
}

void TskSkinCustomEdit::SetAlphaBlendValue(std::uint8_t Value) {
  FAlphaBlendValue = Value;
  if (!FAlphaBlend) return;
  InvalidateNC();
  Invalidate();
}

void TskSkinCustomEdit::CreateParams(TCreateParams& Params) {
  TskCustomEdit::CreateParams(Params);
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_TRANSPARENT);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  switch (FAlignment) {
    case TAlignment::taLeftJustify: Params.Style |= ES_LEFT; break;
    case TAlignment::taRightJustify: Params.Style |= ES_RIGHT; break;
    case TAlignment::taCenter: Params.Style |= ES_CENTER; break;
  }
}

// ---------------------------------------------------------------------------------------------
// Geometry and painting

void TskSkinCustomEdit::CalcRects() {
  if (!Skinned()) {
    if (FButtonMode) {
      FButtonBounds = Rect(Width() - Height(), 0, Width(), Height());
      FEditBounds = Rect(2, 2, FButtonBounds.left - 2, Height() - 2);
    } else {
      FEditBounds = Rect(2, 2, Width() - 2, Height() - 2);
    }
    return;
  }
  const int d = Width() - RectWidth(SkinFrameRect);
  FEditBounds = SkinClientRect;
  FEditBounds.right += d;
  FButtonBounds = SkinButtonRect;
  if (FButtonBounds.left >= RectWidth(SkinFrameRect) - SkinRightOffset) OffsetRect(&FButtonBounds, d, 0);
  if (!FUseSkinFont) {
    const int dh = Height() - RectHeight(SkinFrameRect);
    FEditBounds.bottom += dh;
    FButtonBounds.bottom += dh;
  }
}

void TskSkinCustomEdit::InvalidateNC() {
  if (Parent() && HandleAllocated()) SendMessageW(FHandle, WM_NCPAINT, 1, 0);
}

void TskSkinCustomEdit::Invalidate() {
  if (Parent() && HandleAllocated()) RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TskSkinCustomEdit::SetParentImage() {
  if (!FParentPicture) return;
  FParentPicture->SetSize(Width(), Height());
  GetParentImage(this, *FParentPicture->Canvas());
}

void TskSkinCustomEdit::PutImage(TCanvas& Canvas, TBitmap& Image, int X, int Y, int PX, int PY) {
  if (!FAlphaBlend || !FParentPicture) {
    Canvas.Draw(X, Y, &Image);
    return;
  }
  TBitmap behind;
  behind.SetPixelFormat(TPixelFormat::pf24bit);
  behind.SetSize(Image.Width(), Image.Height());
  behind.Canvas()->CopyRect(Rect(0, 0, Image.Width(), Image.Height()), *FParentPicture->Canvas(),
                            Rect(PX, PY, PX + Image.Width(), PY + Image.Height()));
  TskEffectBmp picture(Image.Handle());
  const TskEffectBmp parent(behind.Handle());
  picture.Morph(parent, 1.0 - FAlphaBlendValue / 255.0);
  picture.Draw(Canvas.Handle(), X, Y);
}

TRect TskSkinCustomEdit::ButtonSource() const {
  if (!Enabled() && !IsNullRect(SkinUnEnabledButtonRect)) return SkinUnEnabledButtonRect;
  if (FButtonPressed && FButtonHot) return SkinDownButtonRect;
  if (FButtonHot) return SkinActiveButtonRect;
  return TRect{};
}

void TskSkinCustomEdit::BuildSkinFrame(TBitmap& B, const TRect& ButtonRect) {
  const TRect r = FMouseOver || Focused() ? SkinHotRect : SkinFrameRect;
  CreateHSkinImage(SkinLeftOffset, SkinRightOffset, B, *SkinPicture, r, Width(), RectHeight(r), SkinStretchEffect);
  if (!FButtonMode) return;
  const TRect source = ButtonSource();
  if (!IsNullRect(source)) B.Canvas()->CopyRect(ButtonRect, *SkinPicture->Canvas(), source);
}

void TskSkinCustomEdit::DrawTextInto(TCanvas& Canvas) {
  TCanvas& c = Canvas;
  c.Brush()->SetStyle(TBrushStyle::bsClear);
  if (Skinned() && FUseSkinFont) {
    c.Font()->SetName(SkinFontName);
    c.Font()->SetHeight(SkinFontHeight);
    c.Font()->SetColor(SkinFontColor);
    c.Font()->SetStyle(SkinFontStyle);
  } else {
    c.Font()->Assign(*FDefaultFont);
  }
  const TskResourceStrData* table = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  c.Font()->SetCharset(table ? table->CharSet() : FDefaultFont->Charset());
  const String text = Text();
  const int w = c.TextWidth(text);
  int x = FEditBounds.left + 1;
  if (FAlignment == TAlignment::taRightJustify) x = FEditBounds.right - w - 1;
  if (FAlignment == TAlignment::taCenter) x = FEditBounds.left + 1 + RectWidth(FEditBounds) / 2 - w / 2;
  c.TextRect(FEditBounds, x, FEditBounds.top - 1, text);
}

void TskSkinCustomEdit::DrawSkinEdit(TCanvas& Canvas, bool DrawText) {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  CalcRects();
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  if (Skinned() && SkinPicture) {
    BuildSkinFrame(b, FButtonBounds);
  } else {
    b.SetSize(Width(), Height());
    TCanvas& c = *b.Canvas();
    const int buttonWidth = FButtonMode ? Width() - FButtonBounds.left : 0;
    const TRect outer = Rect(0, 0, Width() - buttonWidth, Height());
    Frame(c, outer, clBtnShadow);
    Frame(c, Rect(1, 1, outer.right - 1, outer.bottom - 1), clBtnFace);
    if (FButtonMode) {
      const bool hot = FButtonHot;
      const TColor frame = hot ? clNavy : clBtnShadow;
      const TColor fill = hot && FButtonPressed ? static_cast<TColor>(DefaultButtonPressedFill)
                          : hot                 ? static_cast<TColor>(DefaultButtonHotFill)
                                                : clBtnFace;
      c.Brush()->SetColor(fill);
      c.FillRect(FButtonBounds);
      Frame(c, FButtonBounds, frame);
    }
  }
  if (DrawText) DrawTextInto(*b.Canvas());
  PutImage(Canvas, b, 0, 0, 0, 0);
}

void TskSkinCustomEdit::DrawSkinEdit2(TCanvas& Canvas, bool DrawText) {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  CalcRects();
  if (!Skinned() || !SkinPicture) {
    DrawSkinEdit(Canvas, DrawText);
    return;
  }
  TBitmap frame;
  frame.SetPixelFormat(TPixelFormat::pf24bit);
  TRect button = FButtonBounds;
  button.bottom += RectHeight(SkinFrameRect) - Height();
  BuildSkinFrame(frame, button);
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(Width(), Height());
  b.Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), &frame);
  if (DrawText) DrawTextInto(*b.Canvas());
  PutImage(Canvas, b, 0, 0, 0, 0);
}

void TskSkinCustomEdit::DrawEditBackGround(TCanvas& Canvas) {
  if (RectWidth(FEditBounds) < 1 || RectHeight(FEditBounds) < 1) return;
  GetSkinData();
  if (FAlphaBlend) {
    FParentPicture = std::make_unique<TBitmap>();
    SetParentImage();
  }
  const int w = RectWidth(FEditBounds), h = RectHeight(FEditBounds);
  TBitmap b;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  if (Skinned() && SkinPicture) {
    const TRect r = FMouseOver || Focused() ? SkinHotRect : SkinFrameRect;
    const TRect client = Rect(r.left + SkinClientRect.left, r.top + SkinClientRect.top,
                              r.left + SkinClientRect.right, r.top + SkinClientRect.bottom);
    const int left = std::max(SkinLeftOffset - SkinClientRect.left, 0);
    const int right = std::max(SkinClientRect.right - (RectWidth(SkinFrameRect) - SkinRightOffset), 0);
    CreateHSkinImage(left, right, b, *SkinPicture, client, w, RectHeight(client), SkinStretchEffect);
    if (!FUseSkinFont && b.Height() != h) {
      // The skin's client part has the skin's height: stretched to the client area's.
      TBitmap stretched;
      stretched.SetPixelFormat(TPixelFormat::pf24bit);
      stretched.SetSize(w, h);
      stretched.Canvas()->StretchDraw(Rect(0, 0, w, h), &b);
      PutImage(Canvas, stretched, 0, 0, FEditBounds.left, FEditBounds.top);
      FParentPicture.reset();
      return;
    }
  } else {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(clWindow);
    b.Canvas()->FillRect(Rect(0, 0, w, h));
  }
  PutImage(Canvas, b, 0, 0, FEditBounds.left, FEditBounds.top);
  FParentPicture.reset();
}

void TskSkinCustomEdit::PaintFrame() {
  if (FAlphaBlend) {
    FParentPicture = std::make_unique<TBitmap>();
    SetParentImage();
  }
  const HDC dc = GetWindowDC(FHandle);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    GetSkinData();
    CalcRects();
    ExcludeClipRect(dc, FEditBounds.left, FEditBounds.top, FEditBounds.right, FEditBounds.bottom);
    if (FUseSkinFont || !Skinned())
      DrawSkinEdit(canvas, false);
    else
      DrawSkinEdit2(canvas, false);
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(FHandle, dc);
  FParentPicture.reset();
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TskSkinCustomEdit::HandleButtonMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: {
      POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      ::ScreenToClient(FHandle, &p);
      GetSkinData();
      if (Skinned()) {
        p.x += SkinClientRect.left;
        p.y += SkinClientRect.top;
      } else {
        p.x += 2;
        p.y += 2;
      }
      CalcRects();
      if (PtInRect(&FButtonBounds, p)) {
        Message.Result = ButtonHitCode;
        return true;
      }
      if (!PtInRect(&FEditBounds, p)) {
        Message.Result = FrameHitCode;
        return true;
      }
      return false;
    }
    case WM_NCMOUSEMOVE:
      if (static_cast<LRESULT>(Message.WParam) == ButtonHitCode) {
        if (!FButtonHot) {
          FButtonHot = true;
          InvalidateNC();
        }
        return true;
      }
      if (FButtonHot) {
        FButtonHot = false;
        InvalidateNC();
      }
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (static_cast<LRESULT>(Message.WParam) != ButtonHitCode) return false;
      FButtonPressed = true;
      InvalidateNC();
      return true;
    case WM_NCLBUTTONUP:
      if (static_cast<LRESULT>(Message.WParam) != ButtonHitCode) return false;
      FButtonPressed = false;
      InvalidateNC();
      if (!Focused() && CanFocus()) SetFocus();
      if (OnButtonClick) OnButtonClick(this);
      return true;
    case WM_MOUSEMOVE:
      TskCustomEdit::Dispatch(Message);
      if (FButtonHot) {
        FButtonHot = false;
        InvalidateNC();
      }
      return true;
  }
  return false;
}

void TskSkinCustomEdit::Dispatch(TMessage& Message) {
  if (FButtonMode && !Designing() && HandleButtonMessage(Message)) return;
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      GetSkinData();
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      if (Skinned()) {
        r->left += SkinClientRect.left;
        r->top += SkinClientRect.top;
        r->right -= RectWidth(SkinFrameRect) - SkinClientRect.right;
        r->bottom -= RectHeight(SkinFrameRect) - SkinClientRect.bottom;
      } else {
        r->left += 2;
        r->top += 2;
        r->right -= FButtonMode ? Height() + 2 : 2;
        r->bottom -= 2;
      }
      Message.Result = 0;
      return;
    }
    case WM_NCPAINT:
      PaintFrame();
      Message.Result = 0;
      return;
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(Message.WParam);
      {
        TCanvas canvas;
        canvas.SetHandle(dc);
        DrawEditBackGround(canvas);
        canvas.SetHandle(nullptr);
      }
      SendMessageW(FHandle, WM_PAINT, Message.WParam, 0);
      Message.Result = 1;
      return;
    }
    case WM_SIZE:
      TskCustomEdit::Dispatch(Message);
      InvalidateNC();
      return;
    case WM_SETFOCUS:
      TskCustomEdit::Dispatch(Message);
      InvalidateNC();
      Invalidate();
      if (Skinned() && !FMouseOver) Font().SetColor(SkinActiveFontColor);
      return;
    case WM_KILLFOCUS:
      TskCustomEdit::Dispatch(Message);
      InvalidateNC();
      Invalidate();
      if (Skinned() && !FMouseOver) Font().SetColor(SkinFontColor);
      return;
    case CM_MOUSEENTER:
      FMouseOver = true;
      if (Skinned() && !Focused()) {
        Font().SetColor(SkinActiveFontColor);
        InvalidateNC();
        Invalidate();
      }
      break;
    case CM_MOUSELEAVE:
      FMouseOver = false;
      if (Skinned() && !Focused()) {
        Font().SetColor(SkinFontColor);
        InvalidateNC();
        Invalidate();
      }
      if (FButtonPressed || FButtonHot) {
        FButtonPressed = false;
        FButtonHot = false;
        InvalidateNC();
      }
      break;
    case CM_ENABLEDCHANGED:
      TskCustomEdit::Dispatch(Message);
      GetSkinData();
      ApplyFontColor();
      Invalidate();
      return;
    case CM_FONTCHANGED:
      TskCustomEdit::Dispatch(Message);
      if (FUseSkinFont || (Loading(*this) && Designing())) return;
      AdjustEditHeight();
      if (!Skinned()) RecreateWnd();
      return;
  }
  TskCustomEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinURLEdit

TskSkinURLEdit::TskSkinURLEdit(TComponent* AOwner) : TskSkinEdit(AOwner), FLabel(new TLabel(this)) {
  FLabel->SetVisible(false);
  FLabel->SetAutoSize(true);
}

TskSkinURLEdit::~TskSkinURLEdit() {
  std::unique_ptr<TLabel> label(FLabel);
  FLabel = nullptr;
}

void TskSkinURLEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      TskSkinEdit::Dispatch(Message);
      if (FExecute && FLabel) {
        FLabel->Font().Assign(Font());
        FLabel->SetCaption(Text());
      }
      return;
    case CM_MOUSELEAVE:
      TskSkinEdit::Dispatch(Message);
      if (FState == TskURLState::skstIN) LeaveText();
      return;
  }
  TskSkinEdit::Dispatch(Message);
}

void TskSkinURLEdit::LeaveText() {
  TFontStyles style = Font().Style();
  style.Exclude(TFontStyle::fsUnderline);
  Font().SetStyle(style);
  SetCursor(crDefault);
  FState = TskURLState::skstOUT;
  Refresh();
}

void TskSkinURLEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TskSkinEdit::MouseMove(Shift, X, Y);
  if (!FExecute || !FLabel) return;
  const bool overText = X < FLabel->Width();
  if (overText && FState == TskURLState::skstOUT && !FPressed) {
    TFontStyles style = Font().Style();
    style.Include(TFontStyle::fsUnderline);
    Font().SetStyle(style);
    SetCursor(crHandPoint);
    FState = TskURLState::skstIN;
    Refresh();
  } else if (!overText && FState == TskURLState::skstIN) {
    LeaveText();
  }
}

void TskSkinURLEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinEdit::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) FPressed = true;
  // Only a left click opens the link: a right click brings the edit menu, a middle one nothing.
  if (Button == TMouseButton::mbLeft && FExecute && FState == TskURLState::skstIN) OpenLink();
}

void TskSkinURLEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinEdit::MouseUp(Button, Shift, X, Y);
  FPressed = false;
}

void TskSkinURLEdit::OpenLink() {
  const String text = Text();
  String target;
  if (FLinkType == TskURLLinkType::skltMail) {
    if (text.find('@') == String::npos) return;
    target = "mailto:" + text;
  } else {
    // Whatever else the text holds (a program's path, a document) is not a web address to open.
    if (!StartsWithNoCase(text, "http://") && !StartsWithNoCase(text, "https://")) return;
    target = text;
  }
  TForm* form = GetParentForm(this);
  ExecuteShell(form ? form->Handle() : nullptr, "Open", target, String(), String(), SW_SHOWNORMAL);
}

}  // namespace skin
