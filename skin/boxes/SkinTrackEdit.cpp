#include "skin/boxes/SkinTrackEdit.h"

#include "platform/classlib/Forms.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <memory>

using namespace classlib;

namespace skin {

// ---------------------------------------------------------------------------------------------
// TskSkinPopupTrackBar

TskSkinPopupTrackBar::TskSkinPopupTrackBar(TComponent* AOwner) : TskSkinTrackBar(AOwner) {
  SetVisible(false);
  SetSkinDataName("htrackbar");
}

void TskSkinPopupTrackBar::CreateParams(TCreateParams& Params) {
  TskSkinTrackBar::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.ClassStyle |= CS_SAVEBITS;
  if (CheckWXP()) Params.ClassStyle |= CS_DROPSHADOW;
  // A pop-up's position is on the screen; it is placed when it drops down.
  Params.X = 0;
  Params.Y = 0;
}

void TskSkinPopupTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TskSkinTrackBar::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinTrackEdit

TskSkinTrackEdit::TskSkinTrackEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {
  SetButtonMode(true);
  WriteValueText();
  SetBounds(Left(), Top(), 120, 20);
  SetSkinDataName("buttonedit");
  OnButtonClick = [this](TObject* Sender) { ButtonClick(Sender); };
  FTrackBar = new TskSkinPopupTrackBar(this);
  FTrackBar->SetParent(this);
  FTrackBar->OnChange = [this](TObject* Sender) { TrackBarChange(Sender); };
}

TskSkinTrackEdit::~TskSkinTrackEdit() {
  std::unique_ptr<TskSkinPopupTrackBar> trackBar(FTrackBar);
  FTrackBar = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The value

int TskSkinTrackEdit::CheckValue(int V) const {
  if (FMinValue == FMaxValue) return V;
  if (V < FMinValue) return FMinValue;
  if (V > FMaxValue) return FMaxValue;
  return V;
}

void TskSkinTrackEdit::SetValue(int Value) {
  FValue = CheckValue(Value);
  WriteValueText();
}

void TskSkinTrackEdit::WriteValueText() {
  FSettingText = true;
  SetText(IntToStr(FValue));
  FSettingText = false;
}

bool TskSkinTrackEdit::IsNumText(const String& Text) {
  if (Text.empty() || Text == "-") return false;
  for (size_t i = 0; i < Text.size(); ++i) {
    const char c = Text[i];
    if (!(c >= '0' && c <= '9') && !(c == '-' && i == 0)) return false;
  }
  return true;
}

bool TskSkinTrackEdit::IsValidChar(char Ch) const {
  if (Ch == '-') {
    // A minus in the selection is about to be typed over.
    String kept = Text();
    const size_t start = std::min(static_cast<size_t>(std::max(SelStart(), 0)), kept.size());
    kept.erase(start, static_cast<size_t>(std::max(SelLength(), 0)));
    return kept.find('-') == String::npos;
  }
  return (Ch >= '0' && Ch <= '9') || (static_cast<unsigned char>(Ch) < 32 && Ch != '\r');
}

// A number beyond the range's top is put back at once; one below a positive bottom (or on the
// wrong side of zero) only as typed out, so that "1" may still grow into "15" for a range from 10.
void TskSkinTrackEdit::Change() {
  if (FCorrecting) return;
  int typed = 0;
  // A number past 32 bits is no number: the value stays as it was.
  if (!FSettingText && IsNumText(Text()) && TryStrToInt(Text(), typed)) {
    const int value = CheckValue(typed);
    if (value != FValue) FValue = value;
    if ((typed < 0 && value < 0 && value > typed) || value < typed || (FMinValue > 0 && typed < 0) ||
        (FMinValue < 0 && typed > 0)) {
      FCorrecting = true;
      SetText(IntToStr(value));
      SetSelStart(static_cast<int>(Text().size()));
      FCorrecting = false;
    }
  }
  TskSkinEdit::Change();
}

// ---------------------------------------------------------------------------------------------
// Keys and wheel

void TskSkinTrackEdit::KeyPress(char& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(MB_OK);
  }
  TskSkinEdit::KeyPress(Key);
}

void TskSkinTrackEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TskSkinEdit::KeyDown(Key, Shift);
  // Escape reaches the edit only as this key: it closes an open track bar.
  if (Key == VK_ESCAPE) CloseUp();
  if (!FSupportUpDownKeys) return;
  if (Key == VK_UP) Step(1);
  if (Key == VK_DOWN) Step(-1);
}

void TskSkinTrackEdit::Step(int Direction) {
  if (FTrackBar->Visible()) FTrackBar->SetValue(FTrackBar->Value() + Direction * FIncrement);
  else SetValue(FValue + Direction * FIncrement);
}

// ---------------------------------------------------------------------------------------------
// The drop-down

bool TskSkinTrackEdit::Blending() const { return FTrackBarAlphaBlend && CheckW2KWXP(); }

void TskSkinTrackEdit::DropDown() {
  const int width = FTrackBarWidth ? FTrackBarWidth : Width();
  FTrackBar->SetWidth(width);
  FTrackBar->SetDefaultHeight(Height());
  FTrackBar->SetSkinDataName(FTrackBarSkinDataName);
  FTrackBar->SetSkinData(SkinData());
  FTrackBar->SetMinValue(FMinValue);
  FTrackBar->SetMaxValue(FMaxValue);
  FTrackBar->SetValue(FValue);

  TPoint p = FPopupKind == TskTrackBarPopupKind::tbpLeft && width != Width() ? Point(Left() + Width() - width, Top())
                                                                              : Point(Left(), Top());
  if (Parent()) p = Parent()->ClientToScreen(p);
  const int editTop = p.y;
  p.y += Height();
  const TRect work = GetMonitorWorkArea(Handle(), true);
  if (p.x + width > work.right) p.x = work.right - width;
  else if (p.x < work.left) p.x = work.left;
  if (p.y + FTrackBar->Height() > work.bottom) p.y = editTop - FTrackBar->Height();

  const HWND window = FTrackBar->Handle();
  const bool blend = Blending();
  if (blend) {
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetAlphaBlendTransparent(window, 0);
  }
  SetWindowPos(window, HWND_TOP, p.x, p.y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  FTrackBar->SetVisible(true);
  if (!blend) return;
  const TskSkinPopupTrackBar* trackBar = FTrackBar;
  const std::uint8_t value = FTrackBarAlphaBlendValue;
  const bool animate = FTrackBarAlphaBlendAnimation;
  Application->ProcessMessages();
  // A handler run just now may have freed the edit and its track bar with it.
  if (!IsWindow(window) || TWinControl::FindControl(window) != trackBar) return;
  for (int alpha = animate ? 1 : value;; ++alpha) {
    const auto step = static_cast<std::uint8_t>(std::min<int>(alpha, value));
    SetAlphaBlendTransparent(window, step);
    if (step == value) break;
  }
}

void TskSkinTrackEdit::CloseUp() {
  if (!FTrackBar->Visible()) return;
  const HWND window = FTrackBar->Handle();
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FTrackBar->SetVisible(false);
  if (Blending())
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

void TskSkinTrackEdit::ButtonClick(TObject*) {
  if (CanFocus() && !Focused()) SetFocus();
  if (FTrackBar->Visible()) CloseUp();
  else DropDown();
}

void TskSkinTrackEdit::TrackBarChange(TObject*) {
  if (FTrackBar->Value() != FValue) SetValue(FTrackBar->Value());
}

void TskSkinTrackEdit::Dispatch(TMessage& Message) {
  if (!FTrackBar) {  // going: the track bar is gone already
    TskSkinEdit::Dispatch(Message);
    return;
  }
  switch (Message.Msg) {
    case CM_CANCELMODE:
      // The inner edit's own cancel handling (OnEditCancelMode) is not this control's.
      TCustomMaskEdit::Dispatch(Message);
      if (reinterpret_cast<TControl*>(Message.LParam) != FTrackBar) CloseUp();
      return;
    case WM_SETFOCUS:
      TskSkinEdit::Dispatch(Message);
      if (FMinValue != FMaxValue)
        SetMaxLength(static_cast<int>(std::max(IntToStr(FMinValue).size(), IntToStr(FMaxValue).size())));
      return;
    case WM_KILLFOCUS:
      TskSkinEdit::Dispatch(Message);
      CloseUp();
      WriteValueText();
      return;
    case WM_MOUSEWHEEL:
      Step(static_cast<short>(HIWORD(Message.WParam)) > 0 ? -1 : 1);
      Message.Result = 0;
      return;
  }
  TskSkinEdit::Dispatch(Message);
}

}  // namespace skin
